#pragma once

#include <QList>
#include <QString>

namespace kestrix {

// What one message box shows. The language state fills it from the message
// table; the Prompter shows it. Plain data, so the core can build messages
// without knowing how they are shown.
enum class BoxType { Warning, Error, Information, Confirmation };
enum class Answer { Yes, No, Ok, Cancel };

struct MessageButton
{
    Answer answer;
    QString caption;

    friend bool operator==(const MessageButton &, const MessageButton &) = default;
};

struct MessageBox
{
    BoxType type = BoxType::Information;
    QString title;
    QString text;
    QList<MessageButton> buttons; // in the order they are shown

    friend bool operator==(const MessageBox &, const MessageBox &) = default;
};

} // namespace kestrix
