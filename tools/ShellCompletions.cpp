#include "ShellCompletions.h"

#include "CommandArguments.h"

#include <sstream>

namespace kestrix::docs {

namespace {

// Text inside single quotes in any of the three shells.
std::string quoted(const std::string &text)
{
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

std::string joined(const std::vector<std::string> &words, bool quoteEach = false)
{
    std::string line;
    for (const std::string &word : words)
        line += (line.empty() ? "" : " ") + (quoteEach ? quoted(word) : word);
    return line;
}

// The file type of a board named alone.
std::string boardExtension()
{
    for (const CommandArguments &arguments : commandArguments()) {
        if (arguments.option.empty())
            return arguments.extensions.at(0);
    }
    return std::string();
}

std::vector<std::string> options()
{
    std::vector<std::string> names;
    for (const CommandArguments &arguments : commandArguments()) {
        if (!arguments.option.empty())
            names.push_back(arguments.option);
    }
    return names;
}

// One case of the scripts' "case": what the arguments after the option take.
std::string argumentSettings(const CommandArguments &arguments)
{
    return "extensions=(" + joined(arguments.extensions, true) + ") valueOptions=("
        + joined(arguments.valueOptions) + ") repeat=" + (arguments.lastRepeats ? "1" : "0");
}

// After an option: its arguments counted without the value options and their
// values, then the file type of the argument being typed (the last one's
// again when it repeats).
constexpr char bashBody[] = R"script(    local i n=0 option
    for ((i = 2; i < COMP_CWORD; i++)); do
        for option in "${valueOptions[@]}"; do
            if [ "${COMP_WORDS[i]}" = "$option" ]; then
                ((++i < COMP_CWORD)) || return 0
                continue 2
            fi
        done
        ((++n))
    done
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "${valueOptions[*]}" -- "$cur"))
        return 0
    fi
    if [ "$n" -ge "${#extensions[@]}" ]; then
        [ "$repeat" = 1 ] || return 0
        n=$((${#extensions[@]} - 1))
    fi
    [ -z "${extensions[n]}" ] || _kestrix_files "${extensions[n]}"
}
complete -o filenames -F _kestrix kestrix
)script";

constexpr char zshBody[] = R"script(for (( i = 3; i < CURRENT; i++ )); do
    if (( ${valueOptions[(Ie)$words[i]]} )); then
        (( ++i < CURRENT )) || return 1
    else
        (( ++n ))
    fi
done
if [[ $PREFIX == -* ]]; then
    compadd -a valueOptions
    return
fi
if (( n >= $#extensions )); then
    (( repeat )) || return 1
    n=$(( $#extensions - 1 ))
fi
[[ -n $extensions[n+1] ]] && _files -g "*.$extensions[n+1](-.)"
)script";

// Fish asks a condition per completion: is the word being typed argument
// INDEX (from 0) after OPTION, or with REPEAT any later one.
constexpr char fishFunctions[] = R"script(function __kestrix_argument -a option index repeat
    set -l words (commandline -opc)
    set -e words[1]
    if test -z "$option"
        test (count $words) -eq 0
        return
    end
    test "$words[1]" = "$option"; or return 1
    set -e words[1]
    set -l n 0
    set -l value 0
    for word in $words
        if test $value -eq 1
            set value 0
        else if string match -q -- '--*' $word
            set value 1
        else
            set n (math $n + 1)
        end
    end
    test $value -eq 0; or return 1
    test $n -eq $index; or test $repeat -eq 1 -a $n -gt $index
end

function __kestrix_after -a option
    set -l words (commandline -opc)
    test (count $words) -ge 2; and test "$words[2]" = "$option"
end

complete -c kestrix -f
)script";

void writeFishArguments(std::ostringstream &script, const CommandArguments &arguments)
{
    const std::string option = arguments.option.empty() ? "\"\"" : arguments.option;
    for (std::size_t i = 0; i < arguments.extensions.size(); ++i) {
        if (arguments.extensions[i].empty())
            continue;
        const bool repeats = arguments.lastRepeats && i + 1 == arguments.extensions.size();
        script << "complete -c kestrix -n '__kestrix_argument " << option << ' ' << i << ' ' << (repeats ? 1 : 0)
               << "' -ka '(__fish_complete_suffix ." << arguments.extensions[i] << ")'\n";
    }
    for (const std::string &valueOption : arguments.valueOptions)
        script << "complete -c kestrix -n '__kestrix_after " << arguments.option << "' -l " << valueOption.substr(2)
               << " -x\n";
}

} // namespace

std::string zshCompletion()
{
    std::ostringstream script;
    script << "#compdef kestrix\n# Completion of kestrix's options and files, for zsh.\n"
              "local -a extensions valueOptions forms\nlocal repeat i n=0\n"
              "if (( CURRENT == 2 )); then\n    if [[ $PREFIX == -* ]]; then\n        forms=(";
    for (const CommandArguments &arguments : commandArguments()) {
        if (!arguments.option.empty())
            script << "\n            " << quoted(arguments.option + ':' + arguments.description);
    }
    script << ")\n        _describe -t options option forms\n    else\n        _files -g '*." << boardExtension()
           << "(-.)'\n    fi\n    return\nfi\ncase $words[2] in\n";
    for (const CommandArguments &arguments : commandArguments()) {
        if (!arguments.option.empty())
            script << arguments.option << ") " << argumentSettings(arguments) << " ;;\n";
    }
    script << "*) return 1 ;;\nesac\n" << zshBody;
    return script.str();
}

std::string fishCompletion()
{
    std::ostringstream script;
    script << "# Completion of kestrix's options and files, for fish.\n" << fishFunctions;
    for (const CommandArguments &arguments : commandArguments()) {
        if (!arguments.option.empty())
            script << "complete -c kestrix -n '__kestrix_argument \"\" 0 0' -l " << arguments.option.substr(2)
                   << " -d " << quoted(arguments.description) << '\n';
    }
    for (const CommandArguments &arguments : commandArguments())
        writeFishArguments(script, arguments);
    return script.str();
}

std::string bashCompletion()
{
    std::ostringstream script;
    script << "# Completion of kestrix's options and files, for bash.\n"
              "_kestrix_files()\n{\n    local IFS=$'\\n'\n"
              "    COMPREPLY=($(compgen -d -- \"$cur\") $(compgen -f -X \"!*.$1\" -- \"$cur\"))\n}\n\n"
              "_kestrix()\n{\n    local cur=${COMP_WORDS[COMP_CWORD]}\n    COMPREPLY=()\n"
              "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n        if [[ $cur == -* ]]; then\n"
              "            COMPREPLY=($(compgen -W " << quoted(joined(options())) << " -- \"$cur\"))\n"
              "        else\n            _kestrix_files " << boardExtension() << "\n        fi\n        return 0\n    fi\n"
              "    local extensions valueOptions repeat\n    case ${COMP_WORDS[1]} in\n";
    for (const CommandArguments &arguments : commandArguments()) {
        if (!arguments.option.empty())
            script << "    " << arguments.option << ") " << argumentSettings(arguments) << " ;;\n";
    }
    script << "    *) return 0 ;;\n    esac\n" << bashBody;
    return script.str();
}

} // namespace kestrix::docs
