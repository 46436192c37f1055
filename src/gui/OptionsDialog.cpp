#include "gui/OptionsDialog.h"

#include "app/Resources.h"
#include "gui/FormFont.h"
#include "language/Language.h"
#include "util/KestrixError.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace kestrix {

namespace {

// The settings the four check boxes stand for, top to bottom.
constexpr std::array<bool Settings::*, 4> conventions{
    &Settings::OpKonventNeedWall, &Settings::OpKonventNotWall, &Settings::OpKonventBelt,
    &Settings::OpKonventField};

QIcon swatch(const QColor &color)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

// What a colour value outside the list means: the system colour it names,
// or the plain colour it paints.
QString colorName(int value)
{
    const QString system = systemColorName(value);
    return system.isEmpty() ? colorFromValue(value).name(QColor::HexRgb).toUpper() : system;
}

int colorValue(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QLabel *createLabel(const char *objectName, const char *text, QWidget *parent, int x, int y)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(objectName));
    // Captions come from language files: never rich text.
    label->setTextFormat(Qt::PlainText);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

OptionsDialog::OptionsDialog(const Resources &resources, Commit commit, ErrorReport reportError, QWidget *parent)
    : QDialog(parent),
      m_settings(resources.settings()),
      m_programFolder(resources.programFolder()),
      m_commit(std::move(commit)),
      m_reportError(std::move(reportError))
{
    createControls();
    startUp(resources);
}

void OptionsDialog::createControls()
{
    setObjectName(QStringLiteral("OptionsDLG"));
    setWindowTitle(QStringLiteral("Optionen..."));
    setFixedSize(328, 255);
    setFont(FormFont());
    if (const QScreen *shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());

    m_editorGroup = new QGroupBox(QStringLiteral("Editor"), this);
    m_editorGroup->setObjectName(QStringLiteral("OpGroupBox1"));
    m_editorGroup->setGeometry(8, 8, 313, 81);
    m_cursorColourLabel = createLabel("OpLabel1", "Cursorfarbe:", m_editorGroup, 16, 24);
    m_colorBox = new QComboBox(m_editorGroup);
    m_colorBox->setObjectName(QStringLiteral("ColorBox1"));
    m_colorBox->setGeometry(16, 44, 105, 22);
    createColorItems();
    m_groundPlateLabel = createLabel("OpLabel2", "Standard-Feld:", m_editorGroup, 152, 24);
    m_comboBox = new QComboBox(m_editorGroup);
    m_comboBox->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox->setGeometry(152, 44, 73, 21);
    connect(m_comboBox, &QComboBox::activated, this, [this] { showGroupPreview(); });
    m_image = new QLabel(m_editorGroup);
    m_image->setTextFormat(Qt::PlainText);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setGeometry(248, 20, 49, 49);
    m_image->setScaledContents(true);

    createConventionBoxes();

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("OpOKBtn"));
    m_okButton->setGeometry(87, 220, 75, 25);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, [this] { acceptSettings(); });
    m_cancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_cancelButton->setObjectName(QStringLiteral("OpCancelBtn"));
    m_cancelButton->setGeometry(167, 220, 75, 25);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void OptionsDialog::createConventionBoxes()
{
    m_conventionsGroup = new QGroupBox(QStringLiteral("Zorvan-Konventionen"), this);
    m_conventionsGroup->setObjectName(QStringLiteral("OpGroupBox2"));
    m_conventionsGroup->setGeometry(8, 96, 313, 111);
    m_conventionsLabel = createLabel("OpLabel3", "Auf folgende Konventionen achten:", m_conventionsGroup, 16, 18);
    const char *checkTexts[4] = {"Vorgeschriebene Wände am Spielfeldrand", "Verbotene Wände am Spielfeldrand",
                                 "Förderbänder am Spielfeldrand mit anderen verbinden",
                                 "Fabrikelemente müssen alle auf dem Spielbrett enden"};
    for (int i = 0; i < 4; ++i) {
        m_checkBoxes[i] = new QCheckBox(QString::fromUtf8(checkTexts[i]), m_conventionsGroup);
        m_checkBoxes[i]->setObjectName(QStringLiteral("OpCheckBox%1").arg(i + 1));
        m_checkBoxes[i]->setGeometry(16, 36 + 16 * i, 297, 17);
    }
}

void OptionsDialog::createColorItems()
{
    for (const NamedColor &color : NamedColors)
        m_colorBox->addItem(swatch(colorFromValue(color.value)), QString::fromUtf8(color.german), color.value);
    // The last item carries no value: choosing it asks for any colour.
    m_colorBox->addItem(swatch(Qt::white), QString::fromUtf8(CustomColor.german));
    m_colorBox->setCurrentIndex(-1);
    connect(m_colorBox, &QComboBox::activated, this, &OptionsDialog::colorBoxActivated);
}

void OptionsDialog::startUp(const Resources &resources)
{
    if (const std::optional<KestrixError> &error = resources.languageError()) {
        // The dialog opens as designed: stored captions, nothing ticked or selected.
        report(*error);
        return;
    }
    applyCaptions(resources.language());
    const int groupCount = int(resources.palette().groundPlateCounts.size());
    for (size_t i = 0; i < conventions.size(); ++i)
        m_checkBoxes[i]->setChecked(m_settings.*conventions[i]);
    selectColor(m_settings.OpCursorColor);
    for (int g = 1; g <= groupCount; ++g)
        m_comboBox->addItem(QString::number(g));
    const int group = m_settings.OpGroundPlates;
    m_comboBox->setCurrentIndex(group >= 0 && group < groupCount ? group : -1);
    showGroupPreview();
}

// The file's own values, as a caption lookup by component name takes them.
void OptionsDialog::applyCaptions(const Language &language)
{
    const KeyValueText &file = language.file();
    auto caption = [&file](QWidget *widget) { return file.value(widget->objectName()); };
    for (QGroupBox *box : {m_editorGroup, m_conventionsGroup}) {
        if (const QString text = caption(box); !text.isEmpty())
            box->setTitle(text);
    }
    for (QLabel *label : {m_cursorColourLabel, m_groundPlateLabel, m_conventionsLabel}) {
        if (const QString text = caption(label); !text.isEmpty()) {
            label->setText(text);
            label->adjustSize();
        }
    }
    const std::initializer_list<QAbstractButton *> buttons{m_checkBoxes[0], m_checkBoxes[1], m_checkBoxes[2],
                                                           m_checkBoxes[3], m_okButton, m_cancelButton};
    for (QAbstractButton *button : buttons) {
        if (const QString text = caption(button); !text.isEmpty())
            button->setText(text);
    }
    // Before any colour outside the list is shown, the named ones and the
    // custom item stand at their own positions.
    for (size_t i = 0; i <= NamedColors.size(); ++i) {
        const char *key = i < NamedColors.size() ? NamedColors[i].key : CustomColor.key;
        if (const QString name = file.value(QLatin1String(key)); !name.isEmpty())
            m_colorBox->setItemText(int(i), name);
    }
    setWindowTitle(file.value(QStringLiteral("OpCaption")));
}

void OptionsDialog::report(const KestrixError &error)
{
    if (m_reportError)
        m_reportError(error);
}

void OptionsDialog::selectColor(int value)
{
    int index = m_colorBox->findData(value);
    if (index < 0) {
        // One extra item, just before "Custom...", shows a value the list lacks.
        index = int(NamedColors.size());
        if (m_colorBox->count() == index + 1)
            m_colorBox->insertItem(index, QString());
        m_colorBox->setItemText(index, colorName(value));
        m_colorBox->setItemIcon(index, swatch(colorFromValue(value)));
        m_colorBox->setItemData(index, value);
    }
    m_colorBox->setCurrentIndex(index);
    m_previousColorIndex = index;
}

int OptionsDialog::selectedColor() const
{
    const QVariant value = m_colorBox->currentData();
    return value.isValid() ? value.toInt() : 0;
}

void OptionsDialog::colorBoxActivated(int index)
{
    if (m_colorBox->itemData(index).isValid()) {
        m_previousColorIndex = index;
        return;
    }
    const QVariant previous = m_colorBox->itemData(m_previousColorIndex);
    const QColor chosen = QColorDialog::getColor(colorFromValue(previous.isValid() ? previous.toInt() : 0), this);
    if (chosen.isValid())
        selectColor(colorValue(chosen));
    else
        m_colorBox->setCurrentIndex(m_previousColorIndex);
}

void OptionsDialog::showGroupPreview()
{
    const int i = m_comboBox->currentIndex();
    if (i < 0)
        return;
    // The first ground plate of group i.
    const QString path =
        QDir(m_programFolder).filePath(QStringLiteral("Images/00") + QString::number(i) + QStringLiteral("00.bmp"));
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
        report(KestrixError(ErrorTexts::PictureRead, {QDir::toNativeSeparators(path), reader.errorString()}));
        return;
    }
    m_image->setPixmap(QPixmap::fromImage(image));
}

void OptionsDialog::acceptSettings()
{
    for (size_t i = 0; i < conventions.size(); ++i)
        m_settings.*conventions[i] = m_checkBoxes[i]->isChecked();
    m_settings.OpGroundPlates = std::max(0, m_comboBox->currentIndex());
    m_settings.OpCursorColor = selectedColor();
    try {
        m_commit(m_settings);
    } catch (const KestrixError &error) {
        // The new values stay; only the cursor keeps its old colour.
        report(error);
    }
    accept();
}

} // namespace kestrix
