#include "gui/TileDefinitionDialog.h"

#include "gui/FormFont.h"
#include "gui/FormStyle.h"
#include "app/Editor.h"
#include "catalogue/ImageTransforms.h"
#include "language/Language.h"
#include "util/KestrixError.h"
#include "util/Utils.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace kestrix {

namespace {

const QString Title = QStringLiteral("Bildbearbeitung");

constexpr int CheckBoxWidth = 25;
constexpr int CheckBoxHeight = 17;
constexpr int FieldWidth = 65;
constexpr int FieldHeight = 21;

// Per side 0..3: below, right of, above and left of the picture.
constexpr std::array<QPoint, SideCount> BoxPlaces{QPoint(168, 240), QPoint(280, 128), QPoint(168, 16),
                                                  QPoint(48, 128)};
constexpr std::array<QPoint, SideCount> FieldPlaces{QPoint(200, 240), QPoint(268, 152), QPoint(200, 16),
                                                    QPoint(4, 152)};

// The belt's extra elements in item order; the group shows them column by
// column, two to a column.
constexpr std::array<const char *, BeltItemCount> BeltItems{
    "nichts", "Laser", "Presse", "Zählerpresse", "Schieber 1", "Schieber 2", "kl. Flamme", "Laserkanone"};
constexpr int BeltColumns = 4;
constexpr int BeltRows = BeltItemCount / BeltColumns;

template<class T>
T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel *createLabel(const char *name, const char *text, QWidget *parent, QPoint place)
{
    auto *label = named(new QLabel(QString::fromUtf8(text), parent), QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->move(place);
    label->adjustSize();
    return label;
}

QLineEdit *createField(const QString &name, QWidget *parent, QRect geometry)
{
    auto *field = named(new QLineEdit(parent), name);
    field->setGeometry(geometry);
    return field;
}

QPushButton *createButton(const char *name, const char *text, QWidget *parent, QRect geometry)
{
    auto *button = named(new QPushButton(QString::fromUtf8(text), parent), QString::fromLatin1(name));
    button->setGeometry(geometry);
    // Enter in a field applies nothing and closes nothing.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TileDefinitionDialog::TileDefinitionDialog(Editor &editor, int id, QWidget *parent)
    : QDialog(parent), m_editor(editor)
{
    createControls();

    m_pictureList->addItems(tilePictureNames(m_editor.programFolder() + QStringLiteral("Images")));
    const QList<QListWidgetItem *> found = m_pictureList->findItems(fiveDigitId(id) + QStringLiteral(".bmp"), Qt::MatchFixedString);
    if (!found.isEmpty()) {
        m_pictureList->setCurrentItem(found.first());
        m_pictureList->scrollToItem(found.first(), QAbstractItemView::PositionAtCenter);
    }
    showSelectedTile();
    connect(m_pictureList, &QListWidget::itemSelectionChanged, this, [this] {
        try {
            showSelectedTile();
        } catch (const KestrixError &error) {
            report(m_editor.language().errorText(error));
        }
    });
}

void TileDefinitionDialog::createControls()
{
    setObjectName(QStringLiteral("PictureDLG"));
    setWindowTitle(Title);
    setFont(FormFont());
    setFixedSize(529, 355);
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());

    m_pictureList = named(new QListWidget(this), QStringLiteral("FLB"));
    m_pictureList->setGeometry(8, 8, 145, 305);
    m_pictureList->setSelectionMode(QAbstractItemView::SingleSelection);

    m_pages = named(new QTabWidget(this), QStringLiteral("PageControl1"));
    m_pages->setGeometry(160, 8, 361, 305);
    m_pages->tabBar()->setStyle(FormStyle());
    createPictureSheet();
    createSideSheet(SidePage::Wall, "Wand", "Label2", "An welchen Seiten befindet sich eine Wand?");
    createSideSheet(SidePage::Adds, "Adds", "Label3",
                    "An welcher Seite muss noch welches Feld hinzuge- zeichnet werden?");
    createSideSheet(SidePage::Needs, "Nötig", "Label4", "An welcher Seite muss sich welches Feld befinden?");
    createSideSheet(SidePage::Compulsory, "Zwingend", "Label8", "An welcher Seite muss welches Feld angrenzen?");
    createSideSheet(SidePage::Possible, "Möglich", "Label5", "An welcher Seite kann welches Feld angrenzen?");
    createSideSheet(SidePage::Direction, "Richtung", "Label6", "In welche Richtung zeigt das Förderband?");

    // Over every page, the side controls standing around it.
    m_picturePanel = named(new QFrame(this), QStringLiteral("Panel1"));
    m_picturePanel->setGeometry(248, 80, 177, 177);
    m_picturePanel->setFrameShape(QFrame::NoFrame);
    m_picture = named(new QLabel(m_picturePanel), QStringLiteral("Image1"));
    m_picture->setTextFormat(Qt::PlainText);
    m_picture->setGeometry(0, 0, 177, 177);
    m_picture->setScaledContents(true);

    m_applyButton = createButton("Button1", "Übernehmen", this, {160, 324, 105, 25});
    connect(m_applyButton, &QPushButton::clicked, this, &TileDefinitionDialog::applySelection);
    m_cancelBtn = createButton("CancelBtn", "Beenden", this, {448, 324, 75, 25});
    connect(m_cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TileDefinitionDialog::createPictureSheet()
{
    auto *sheet = named(new QWidget, QStringLiteral("TabSheet1"));
    m_pages->addTab(sheet, QStringLiteral("Bild"));
    createLabel("Label7", "Name:", sheet, {16, 16});
    m_numberField = createField(QStringLiteral("Edit1"), sheet, {64, 12, 73, FieldHeight});
    createLabel("Label1", "Position:", sheet, {184, 16});
    m_positionField = createField(QStringLiteral("Edit2"), sheet, {240, 12, 73, FieldHeight});

    m_beltGroup = named(new QGroupBox(QString::fromUtf8("Förderbanddifinition"), sheet),
                          QStringLiteral("RadioGroup1"));
    m_beltGroup->setGeometry(8, 228, 337, 45);
    m_beltItems = new QButtonGroup(this);
    for (int i = 0; i < BeltItemCount; ++i) {
        auto *item = new QRadioButton(QString::fromUtf8(BeltItems[size_t(i)]), m_beltGroup);
        item->setStyle(FormStyle());
        m_beltItems->addButton(item, i);
    }
    placeBeltItems();
}

// Each column is as wide as its longest caption, and the room left over is
// shared out: equal columns would cut "Zählerpresse" and "Laserkanone" short.
void TileDefinitionDialog::placeBeltItems()
{
    constexpr int Margin = 5;
    constexpr int Top = 14;
    constexpr int ItemHeight = 14;
    std::array<int, BeltColumns> widths{};
    for (int i = 0; i < BeltItemCount; ++i) {
        int &width = widths[size_t(i / BeltRows)];
        width = std::max(width, m_beltItems->button(i)->sizeHint().width());
    }
    int used = 0;
    for (const int width : widths)
        used += width;
    const int spare = (m_beltGroup->width() - 2 * Margin - used) / BeltColumns;
    int left = Margin;
    for (int column = 0; column < BeltColumns; ++column) {
        const int width = widths[size_t(column)] + spare;
        for (int row = 0; row < BeltRows; ++row)
            m_beltItems->button(column * BeltRows + row)->setGeometry(left, Top + row * ItemHeight, width, ItemHeight);
        left += width;
    }
}

void TileDefinitionDialog::createSideSheet(SidePage page, const char *caption, const char *labelName, const char *question)
{
    auto *sheet = named(new QWidget, QStringLiteral("TabSheet%1").arg(int(page) + 2));
    m_pages->addTab(sheet, QString::fromUtf8(caption));
    auto *label = named(new QLabel(QString::fromUtf8(question), sheet), QString::fromLatin1(labelName));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setGeometry(8, 8, 73, label->heightForWidth(73));
    createSideControls(page, sheet);
}

void TileDefinitionDialog::createSideControls(SidePage page, QWidget *sheet)
{
    SideControls &controls = m_sides[size_t(page)];
    const int sheetNumber = int(page) + 2;
    for (int j = 0; j < SideCount; ++j) {
        auto *box = named(new QCheckBox(QString::number(j), sheet),
                          QStringLiteral("SideBox%1_%2").arg(sheetNumber).arg(j));
        box->setStyle(FormStyle());
        box->setGeometry(QRect(BoxPlaces[size_t(j)], QSize(CheckBoxWidth, CheckBoxHeight)));
        connect(box, &QCheckBox::toggled, this, [this, page, j] { showSideField(page, j); });
        controls.boxes[size_t(j)] = box;
        if (sidePageHasFields(page)) {
            QLineEdit *field = createField(QStringLiteral("SideEdit%1_%2").arg(sheetNumber).arg(j), sheet,
                                           QRect(FieldPlaces[size_t(j)], QSize(FieldWidth, FieldHeight)));
            field->hide();
            controls.fields[size_t(j)] = field;
        }
    }
}

// The picture is read last: a tile whose large picture is missing still
// shows its own entries, never the previous tile's, before Übernehmen.
void TileDefinitionDialog::showSelectedTile()
{
    const QList<QListWidgetItem *> selected = m_pictureList->selectedItems();
    if (selected.isEmpty()) {
        m_line = {};
        setWindowTitle(Title);
        m_pages->hide();
        m_picturePanel->hide();
        m_applyButton->hide();
        return;
    }
    m_line = {m_pictureList->row(selected.first()), selected.first()->text()};
    const int id = tileIdOfFileName(m_line.fileName);
    showDefinition(readTileDefinition(m_editor.catalogue(), id));
    showTitle(id);
    m_pages->show();
    m_picturePanel->show();
    m_applyButton->show();
    m_picture->clear();
    m_picture->setPixmap(QPixmap::fromImage(loadBitmap(largePictureFileName(m_editor.programFolder(), id))));
}

void TileDefinitionDialog::showSideField(SidePage page, int side)
{
    const SideControls &controls = m_sides[size_t(page)];
    if (QLineEdit *field = controls.fields[size_t(side)])
        field->setVisible(controls.boxes[size_t(side)]->isChecked());
}

void TileDefinitionDialog::applySelection()
{
    if (m_line.row < 0)
        return;
    const QString shownName = m_line.fileName;
    try {
        const QString refusal = m_editor.applyTileDefinition(m_line, shownDefinition());
        if (!refusal.isEmpty())
            refuse(refusal);
    } catch (const KestrixError &error) {
        report(m_editor.language().errorText(error));
    }
    if (m_line.fileName != shownName) {
        if (QListWidgetItem *item = m_pictureList->item(m_line.row))
            item->setText(m_line.fileName);
        showTitle(tileIdOfFileName(m_line.fileName));
    }
}

void TileDefinitionDialog::showDefinition(const TileDefinition &definition)
{
    m_numberField->setText(definition.number);
    m_positionField->setText(definition.position);
    for (size_t page = 0; page < m_sides.size(); ++page) {
        const SideControls &controls = m_sides[page];
        for (size_t j = 0; j < SideCount; ++j) {
            const SideBox &side = definition.pages[page][j];
            controls.boxes[j]->setChecked(side.ticked);
            if (QLineEdit *field = controls.fields[j]) {
                field->setText(side.text);
                field->setVisible(side.ticked);
            }
        }
    }
    if (QAbstractButton *item = m_beltItems->button(definition.beltItem))
        item->setChecked(true);
}

TileDefinition TileDefinitionDialog::shownDefinition() const
{
    TileDefinition definition;
    definition.number = m_numberField->text();
    definition.position = m_positionField->text();
    for (size_t page = 0; page < m_sides.size(); ++page) {
        const SideControls &controls = m_sides[page];
        for (size_t j = 0; j < SideCount; ++j) {
            SideBox &side = definition.pages[page][j];
            side.ticked = controls.boxes[j]->isChecked();
            if (const QLineEdit *field = controls.fields[j])
                side.text = field->text();
        }
    }
    definition.beltItem = std::max(0, m_beltItems->checkedId());
    return definition;
}

void TileDefinitionDialog::showTitle(int id)
{
    setWindowTitle(Title + u' ' + fiveDigitId(id));
}

void TileDefinitionDialog::report(const QString &text)
{
    m_editor.prompter().showError(text);
}

void TileDefinitionDialog::refuse(const QString &text)
{
    MessageBox box;
    box.type = BoxType::Error;
    const Language &language = m_editor.language();
    box.title = language.boxTitle(BoxType::Error);
    box.text = text;
    box.buttons = {{Answer::Ok, language.buttonCaption(Answer::Ok)}};
    m_editor.prompter().message(box);
}

} // namespace kestrix
