#include "tiledefinition/TileDefinition.h"

#include "catalogue/Catalogue.h"
#include "rules/TileIds.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

namespace kestrix {

namespace {

constexpr int MaxTileId = 9999;
// The first pictures of the list (the first ground plates) keep their numbers.
constexpr int FirstRenumberableRow = 3;
// The pages that write lines of their own, in page order.
constexpr std::array<char, 4> PageLetters{'W', 'A', 'N', 'C'};

QString bmp(const QString &baseName)
{
    return baseName + QStringLiteral(".bmp");
}

// A line break in a typed text would split the entry in two in the file.
QString singleLine(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    return text;
}

QByteArray entryLine(const QString &name, const QString &value)
{
    return (name + u'=' + value).toLatin1();
}

void removeEntry(Catalogue &catalogue, const QString &name)
{
    catalogue.remove(catalogue.find(name));
}

void putEntry(Catalogue &catalogue, const QString &name, const QString &value)
{
    const qsizetype index = catalogue.find(name);
    if (index >= 0)
        catalogue.replace(index, entryLine(name, value));
    else
        catalogue.append(entryLine(name, value));
}

// The file list shows names in any case, so a taken name is too.
bool pictureExists(const QDir &folder, const QString &name)
{
    return !folder.entryList({name}, QDir::Files).isEmpty();
}

// The pictures renamed so far, so that a later step that fails can give them
// their old names back: pictures and catalogue lines always agree on disk.
class PictureRenames
{
public:
    PictureRenames() = default;
    PictureRenames(const PictureRenames &) = delete;
    PictureRenames &operator=(const PictureRenames &) = delete;
    ~PictureRenames()
    {
        for (auto it = m_done.crbegin(); it != m_done.crend(); ++it)
            QFile::rename(it->second, it->first);
    }

    void rename(const QString &from, const QString &to)
    {
        QFile file(from);
        if (!file.rename(to)) {
            throw KestrixError(ErrorTexts::FileRename, {QDir::toNativeSeparators(from),
                                                        QDir::toNativeSeparators(to), file.errorString()});
        }
        m_done.append({from, to});
    }

    // The renames stay.
    void keep() { m_done.clear(); }

private:
    QList<std::pair<QString, QString>> m_done;
};

// The pictures must move with the catalogue lines, or they would name
// pictures that are not there. Many tiles have no large picture.
void renamePictures(PictureRenames &renames, const QDir &folder, const QString &fileName, const QString &newName)
{
    renames.rename(folder.filePath(fileName), folder.filePath(bmp(newName)));
    const QString large = folder.filePath(bmp(u'1' + fileName.mid(1, 4)));
    if (QFileInfo::exists(large))
        renames.rename(large, folder.filePath(bmp(u'1' + newName.mid(1, 4))));
}

// Keys take the new number; so do values naming the tile, except on palette
// lines, whose values are positions.
QByteArray renumberedLine(QByteArray line, const QString &oldName, const QString &newName)
{
    if (line.size() >= 6 && QString::fromLatin1(line.mid(1, 5)) == oldName)
        line.replace(1, 5, newName.toLatin1());
    const qsizetype equals = line.indexOf('=');
    if (equals >= 0 && !line.startsWith('P') && !line.startsWith('p')
        && QString::fromLatin1(line.mid(equals + 1)) == oldName) {
        line = line.left(equals + 1) + newName.toLatin1();
    }
    return line;
}

void renumberLines(Catalogue &catalogue, const QString &oldName, const QString &newName)
{
    QList<QByteArray> lines = catalogue.lines();
    for (QByteArray &line : lines)
        line = renumberedLine(line, oldName, newName);
    catalogue.setLines(lines);
}

void writeEntries(Catalogue &catalogue, int id, const TileDefinition &definition)
{
    const QString id5 = fiveDigitId(id);
    const QString position = QStringLiteral("P") + id5;
    removeEntry(catalogue, position);
    if (const QString text = singleLine(definition.position); !text.isEmpty())
        catalogue.append(entryLine(position, text));

    for (size_t page = 0; page < PageLetters.size(); ++page) {
        const bool hasFields = sidePageHasFields(SidePage(page));
        for (int j = 0; j < SideCount; ++j) {
            const QString name = QLatin1Char(PageLetters[page]) + id5 + QString::number(j);
            const SideBox &box = definition.pages[page][size_t(j)];
            if (box.ticked)
                putEntry(catalogue, name, hasFields ? singleLine(box.text) : QString());
            else
                removeEntry(catalogue, name);
        }
    }

    const QString belt = QStringLiteral("D") + id5;
    removeEntry(catalogue, belt);
    if (isBelt(id))
        catalogue.append(entryLine(belt, beltPattern(id, definition)));
}

} // namespace

bool sidePageHasFields(SidePage page)
{
    return page == SidePage::Adds || page == SidePage::Needs || page == SidePage::Compulsory;
}

int tileIdOfFileName(const QString &fileName)
{
    return toIntOrZero(fileName.left(5));
}

QStringList tilePictureNames(const QString &imagesFolder)
{
    return QDir(imagesFolder).entryList({QStringLiteral("0????.bmp")}, QDir::Files, QDir::Name);
}

QString largePictureFileName(const QString &programFolder, int id)
{
    return programFolder + QStringLiteral("Images/") + bmp(fiveDigitId(largePictureId(id)));
}

TileDefinition readTileDefinition(const Catalogue &catalogue, int id)
{
    TileDefinition definition;
    const QString id5 = fiveDigitId(id);
    definition.number = id5;
    definition.position = catalogue.value(QStringLiteral("P") + id5);
    for (size_t page = 0; page < PageLetters.size(); ++page) {
        for (int j = 0; j < SideCount; ++j) {
            const QString name = QLatin1Char(PageLetters[page]) + id5 + QString::number(j);
            SideBox &box = definition.pages[page][size_t(j)];
            box.ticked = catalogue.hasKey(name);
            if (sidePageHasFields(SidePage(page)))
                box.text = catalogue.value(name);
        }
    }
    const QString belt = catalogue.value(QStringLiteral("D") + id5);
    if (!belt.isEmpty()) {
        for (int j = 0; j < SideCount; ++j) {
            const QChar code = belt.size() > j + 1 ? belt[j + 1] : QChar();
            definition.side(SidePage::Possible, j).ticked = code == u'2';
            definition.side(SidePage::Direction, j).ticked = code == u'3';
        }
        // An item the list does not have shows as "nichts".
        const int item = toIntOrZero(belt.mid(5, 1));
        definition.beltItem = item >= 0 && item < BeltItemCount ? item : 0;
    }
    return definition;
}

QString beltPattern(int id, const TileDefinition &definition)
{
    QString pattern = fiveDigitId(id).mid(2, 1);
    for (int j = 0; j < SideCount; ++j) {
        if (definition.side(SidePage::Wall, j).ticked)
            pattern += u'1';
        else if (definition.side(SidePage::Possible, j).ticked)
            pattern += u'2';
        else if (definition.side(SidePage::Direction, j).ticked)
            pattern += u'3';
        else
            pattern += u'0';
    }
    return pattern + QString::number(definition.beltItem);
}

QString applyTileDefinition(Catalogue &catalogue, const QString &programFolder, TileFileLine &line,
                            const TileDefinition &definition)
{
    // Keys and picture names have room for five digits, and the board
    // pictures all begin with 0.
    const int number = toIntOrZero(definition.number);
    if (number < 0 || number > MaxTileId) {
        return QStringLiteral("Die Nummer '") + definition.number
               + QStringLiteral("' liegt nicht zwischen 0 und 9999!");
    }
    // An installed program's data folder is read-only: say so before
    // anything is touched, rather than after the pictures were renamed.
    if (!isWritableFolder(programFolder) || !isWritableFolder(programFolder + QStringLiteral("Images"))) {
        throw KestrixError(QStringLiteral("Der Programmordner %1 ist schreibgeschützt: die Kacheldefinition "
                                          "kann dort nicht gespeichert werden.")
                               .arg(QDir::toNativeSeparators(programFolder)));
    }
    const QString oldName = line.fileName.left(5);
    const QString newName = fiveDigitId(number);
    int id = tileIdOfFileName(line.fileName);
    // Everything is done on a copy first: when a rename or the save fails,
    // the pictures get their names back and the list stays as it was.
    Catalogue edited = catalogue;
    PictureRenames renames;
    const bool renumber = oldName != newName && line.row >= FirstRenumberableRow;
    if (renumber) {
        const QDir folder(programFolder + QStringLiteral("Images"));
        if (pictureExists(folder, bmp(newName)))
            return QStringLiteral("Der Name '") + newName + QStringLiteral("' ist bereits vergeben!");
        renamePictures(renames, folder, line.fileName, newName);
        renumberLines(edited, oldName, newName);
        id = number;
    }
    writeEntries(edited, id, definition);
    edited.sort();
    edited.save(programFolder + QStringLiteral("InitList.ini"));
    renames.keep();
    catalogue = std::move(edited);
    if (renumber)
        line.fileName = bmp(newName);
    return {};
}

} // namespace kestrix
