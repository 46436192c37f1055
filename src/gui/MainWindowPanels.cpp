#include "gui/MainWindow.h"

#include "gui/BoardPanel.h"
#include "gui/CellGeometry.h"
#include "gui/CellView.h"
#include "gui/FormStyle.h"
#include "gui/RegionFrame.h"
#include "gui/PalettePanel.h"
#include "catalogue/ImageTransforms.h"
#include "util/Utils.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtMath>

namespace kestrix {

namespace {

template<class Widget>
Widget *place(Widget *widget, const char *name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

// A circular arrow for a turn of quarterTurns counter-clockwise (3: one
// quarter clockwise), the way the selection's picture will turn.
QIcon turnIcon(int quarterTurns)
{
    const int size = 28;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x20, 0x40, 0x90);
    const QPointF centre(size / 2.0, size / 2.0);
    const qreal radius = 9.0;
    // The arc is centred on the top; the half turn goes most of the way round.
    const bool clockwise = quarterTurns == 3;
    const qreal span = quarterTurns == 2 ? 300.0 : 180.0;
    const qreal start = clockwise ? 90.0 + span / 2.0 : 90.0 - span / 2.0;
    const qreal end = clockwise ? start - span : start + span;
    painter.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                    int(start * 16), int((end - start) * 16));
    // The head at the end of the arc, along the direction of travel.
    const qreal a = qDegreesToRadians(end);
    const QPointF tip = centre + QPointF(radius * qCos(a), -radius * qSin(a));
    const qreal sign = clockwise ? -1.0 : 1.0;
    const QPointF along(-qSin(a) * sign, -qCos(a) * sign);
    const QPointF across(-along.y(), along.x());
    QPainterPath head;
    head.moveTo(tip + along * 6.0);
    head.lineTo(tip + across * 5.0);
    head.lineTo(tip - across * 5.0);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(head);
    return QIcon(pixmap);
}

} // namespace

void MainWindow::buildPanels()
{
    auto *client = new QWidget(this);
    client->setFixedSize(1008, 714);
    setCentralWidget(client);

    auto *leftPanel = place(new QWidget(client), "Panel1", 0, 0, 294, 714);
    m_selectionPanel = place(new QFrame(leftPanel), "Panel3", 0, 0, 294, 241);
    m_selectionPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Kept as the list of files it was in the window's design; the palette
    // and the language menu list their folders directly.
    m_fileList = place(new QListWidget(m_selectionPanel), "FLB", 136, 0, 25, 25);
    m_fileList->hide();
    buildSelectionPanel();

    m_paletteTabs = place(new QTabWidget(leftPanel), "PageControl1", 0, 241, 294, 473);
    // All six tabs fit in one row.
    m_paletteTabs->tabBar()->setStyle(FormStyle());
    const char *const pages[] = {"Standard", "Band", "Grube", "Öl", "Laser", "Zähler"};
    for (int i = 0; i < 6; ++i) {
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        m_paletteTabs->addTab(page, QString::fromUtf8(pages[i]));
        m_palettePages[size_t(i)] = page;
        registerCaption(page->objectName(), [this, page](const QString &text) {
            m_paletteTabs->setTabText(m_paletteTabs->indexOf(page), text);
        });
    }

    m_boardPanel = place(new BoardPanel(client), "Panel2", 294, 0, 714, 714);
    m_boardPanel->setAutoFillBackground(true);
    // Made first, so the cells lie above it and only its frame shows.
    m_cursor = place(new CellView(m_boardPanel), "Cursor", 2, 2, 61, 61);
    m_regionFrame = new RegionFrame(m_boardPanel);
    // The picture holder of the window's design; printing draws from memory.
    place(new CellView(m_boardPanel), "Image1", 96, 256, 105, 105)->hide();
}

void MainWindow::buildSelectionPanel()
{
    const std::array<void (Editor::*)(), 3> turns{&Editor::turnSelectionCounterClockwise, &Editor::turnSelectionHalf,
                                                  &Editor::turnSelectionClockwise};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QToolButton(m_selectionPanel);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        button->setGeometry(16 + 60 * i, 192, 41, 41);
        button->setIcon(turnIcon(i + 1));
        button->setIconSize(QSize(28, 28));
        connect(button, &QToolButton::clicked, this,
                [this, turn = turns[size_t(i)]] { runCommand([this, turn] { (m_editor.*turn)(); }); });
        registerButton(button);
        m_turnButtons[size_t(i)] = button;
    }
    m_applyButton = place(new QPushButton(QStringLiteral("Übernehmen"), m_selectionPanel), "Button1", 196, 192, 89, 41);
    QFont bold = m_applyButton->font();
    bold.setBold(true);
    m_applyButton->setFont(bold);
    registerButton(m_applyButton);
    connect(m_applyButton, &QPushButton::clicked, this, [this] { runCommand([this] { m_editor.applySelection(); }); });
    buildStepPanel();
}

void MainWindow::buildStepPanel()
{
    m_stepPanel = place(new QFrame(m_selectionPanel), "Panel4", 196, 8, 89, 177);
    m_stepPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_stepPanel->hide();
    auto *label = place(new QLabel(QStringLiteral("Aktiv in..."), m_stepPanel), "Label1", 8, 16, 73, 16);
    label->setTextFormat(Qt::PlainText);
    registerCaption(label->objectName(), [label](const QString &text) { label->setText(text); });
    m_allStepsBox = place(new QCheckBox(QStringLiteral("Alle Schritte"), m_stepPanel), "CheckBox1", 8, 136, 80, 17);
    m_allStepsBox->setStyle(FormStyle());
    connect(m_allStepsBox, &QCheckBox::clicked, this, [this](bool ticked) {
        runCommand([this, ticked] {
            m_editor.setAllStepsBox(ticked);
            m_editor.applyAllStepsBox();
        });
    });
    registerButton(m_allStepsBox);
}

void MainWindow::createBoardCells()
{
    for (int n = 0; n < CellCount; ++n) {
        auto *cell = new CellView(m_boardPanel);
        cell->setObjectName(QStringLiteral("ImgKarte%1").arg(n));
        cell->setGeometry(cellLeft(n), cellTop(n), 57, 57);
        cell->hide();
        if (m_editor.settings().OpAdministration)
            cell->setToolTip(QString::number(n));
        connect(cell, &CellView::clicked, this, [this, n](Qt::KeyboardModifiers modifiers) {
            runCommand([this, n, modifiers] {
                if (modifiers.testFlag(Qt::ShiftModifier))
                    m_editor.regions().span(n);
                else
                    m_editor.selectField(n);
            });
        });
        m_cellViews[size_t(n)] = cell;
    }
}

void MainWindow::createSelectionCell()
{
    m_selectionCell = place(new CellView(m_selectionPanel), "SelectionCell", 8, 8, 177, 177);
    m_selectionCell->show();
}

// One scrolling page per palette page, the pictures at their slots. The
// pictures are read here once; a later picture on the same slot lies on top.
void MainWindow::buildPalette()
{
    const PaletteIndex &palette = m_editor.resources().palette();
    for (int p = 0; p < PaletteIndex::PageCount; ++p) {
        auto *scrollArea = new QScrollArea(m_palettePages[size_t(p)]);
        scrollArea->setFrameShape(QFrame::NoFrame);
        // The page's pictures take the focus, not the area around them.
        scrollArea->setFocusPolicy(Qt::NoFocus);
        auto *fill = new QVBoxLayout(m_palettePages[size_t(p)]);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(scrollArea);
        auto *panel = new PalettePanel;
        panel->setObjectName(QStringLiteral("PalettePanel%1").arg(p));
        panel->setFixedSize(258, palette.panelHeights[size_t(p)]);
        scrollArea->setWidget(panel);
        m_palettePanels[size_t(p)] = panel;
    }
    const bool administration = m_editor.settings().OpAdministration;
    for (const PaletteEntry &entry : palette.entries) {
        PalettePanel *panel = m_palettePanels[size_t(entry.page)];
        auto *image = new CellView(panel);
        panel->addTile(image, entry.slot, entry.tag);
        image->setObjectName(QStringLiteral("PCImage") + fiveDigitId(entry.tag));
        image->setGeometry(entry.left, entry.top, PaletteIndex::PictureSize, PaletteIndex::PictureSize);
        image->setTransparent(entry.transparent);
        image->setImage(loadBitmap(entry.picturePath));
        if (administration)
            image->setToolTip(fiveDigitId(entry.tag));
        const int tag = entry.tag;
        connect(image, &CellView::clicked, this, [this, tag] { runCommand([this, tag] { m_editor.pickTile(tag); }); });
        connect(image, &CellView::doubleClicked, this,
                [this, tag] { runCommand([this, tag] { m_editor.requestTileDefinition(tag); }); });
    }
    connect(m_paletteTabs, &QTabWidget::currentChanged, &m_editor, &Editor::setActivePalettePage);
    m_editor.setActivePalettePage(m_paletteTabs->currentIndex());
}

void MainWindow::createStepBoxes()
{
    for (int i = 0; i < 5; ++i) {
        auto *box = new QCheckBox(m_stepPanel);
        box->setObjectName(QStringLiteral("ByStep%1").arg(i + 1));
        box->setGeometry(8, 48 + 16 * i, 65, 16);
        box->setStyle(FormStyle());
        // clicked, not toggled: the boxes the program sets are no clicks.
        connect(box, &QCheckBox::clicked, this, [this, i](bool ticked) {
            runCommand([this, i, ticked] {
                m_editor.setStepBox(i, ticked);
                m_editor.applyStepBoxes();
            });
        });
        box->show();
        m_stepBoxes[size_t(i)] = box;
    }
    showStepBoxCaptions();
}

// The cursor is a small picture in the cursor colour, shown stretched.
void MainWindow::paintCursor()
{
    m_cursor->setImage(m_editor.paintCursor());
}

} // namespace kestrix
