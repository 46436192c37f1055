#include "gui/MainWindow.h"

#include "gui/CellView.h"
#include "gui/FormStyle.h"
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
QIcon TurnIcon(int quarterTurns)
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

    m_panel1 = place(new QWidget(client), "Panel1", 0, 0, 294, 714);
    m_panel3 = place(new QFrame(m_panel1), "Panel3", 0, 0, 294, 241);
    m_panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Kept as the list of files it was in the window's design; the palette
    // and the language menu list their folders directly.
    m_flb = place(new QListWidget(m_panel3), "FLB", 136, 0, 25, 25);
    m_flb->hide();
    buildSelectionPanel();

    m_pageControl1 = place(new QTabWidget(m_panel1), "PageControl1", 0, 241, 294, 473);
    // All six tabs fit in one row.
    m_pageControl1->tabBar()->setStyle(FormStyle());
    const char *const pages[] = {"Standard", "Band", "Grube", "Öl", "Laser", "Zähler"};
    for (int i = 0; i < 6; ++i) {
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        m_pageControl1->addTab(page, QString::fromUtf8(pages[i]));
        m_tabSheets[size_t(i)] = page;
        registerCaption(page->objectName(), [this, page](const QString &text) {
            m_pageControl1->setTabText(m_pageControl1->indexOf(page), text);
        });
    }

    m_panel2 = place(new QWidget(client), "Panel2", 294, 0, 714, 714);
    m_panel2->setAutoFillBackground(true);
    // Made first, so the cells lie above it and only its frame shows.
    m_cursor = place(new CellView(m_panel2), "Cursor", 2, 2, 61, 61);
    m_image1 = place(new CellView(m_panel2), "Image1", 96, 256, 105, 105);
    m_image1->hide();
}

void MainWindow::buildSelectionPanel()
{
    const std::array<void (Editor::*)(), 3> turns{&Editor::turnSelectionCounterClockwise, &Editor::turnSelectionHalf,
                                                  &Editor::turnSelectionClockwise};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QToolButton(m_panel3);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        button->setGeometry(16 + 60 * i, 192, 41, 41);
        button->setIcon(TurnIcon(i + 1));
        button->setIconSize(QSize(28, 28));
        m_speedButtons[size_t(i)] = button;
        connect(button, &QToolButton::clicked, this,
                [this, turn = turns[size_t(i)]] { runCommand([this, turn] { (m_editor.*turn)(); }); });
        registerButton(button);
    }
    m_button1 = place(new QPushButton(QStringLiteral("Übernehmen"), m_panel3), "Button1", 196, 192, 89, 41);
    QFont bold = m_button1->font();
    bold.setBold(true);
    m_button1->setFont(bold);
    registerButton(m_button1);
    connect(m_button1, &QPushButton::clicked, this, [this] { runCommand([this] { m_editor.applySelection(); }); });
    buildStepPanel();
}

void MainWindow::buildStepPanel()
{
    m_panel4 = place(new QFrame(m_panel3), "Panel4", 196, 8, 89, 177);
    m_panel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_panel4->hide();
    m_label1 = place(new QLabel(QStringLiteral("Aktiv in..."), m_panel4), "Label1", 8, 16, 73, 16);
    m_label1->setTextFormat(Qt::PlainText);
    registerCaption(m_label1->objectName(), [this](const QString &text) { m_label1->setText(text); });
    m_checkBox1 = place(new QCheckBox(QStringLiteral("Alle Schritte"), m_panel4), "CheckBox1", 8, 136, 80, 17);
    m_checkBox1->setStyle(FormStyle());
    connect(m_checkBox1, &QCheckBox::clicked, this, [this](bool ticked) {
        runCommand([this, ticked] {
            m_editor.setAllStepsBox(ticked);
            m_editor.applyAllStepsBox();
        });
    });
    registerButton(m_checkBox1);
}

void MainWindow::CreateBoardCells()
{
    for (int n = 0; n < CellCount; ++n) {
        auto *cell = new CellView(m_panel2);
        cell->setObjectName(QStringLiteral("ImgKarte%1").arg(n));
        cell->setGeometry(CellLeft(n), CellTop(n), 57, 57);
        cell->hide();
        if (m_editor.settings().OpAdministration)
            cell->setToolTip(QString::number(n));
        connect(cell, &CellView::clicked, this, [this, n] { runCommand([this, n] { m_editor.selectField(n); }); });
        m_cells[size_t(n)] = cell;
    }
}

void MainWindow::CreateSelectionCell()
{
    m_selectionCell = place(new CellView(m_panel3), "SelectionCell", 8, 8, 177, 177);
    m_selectionCell->show();
}

// One scrolling page per palette page, the pictures at their slots. The
// pictures are read here once; a later picture on the same slot lies on top.
void MainWindow::buildPalette()
{
    const PaletteIndex &palette = m_editor.resources().palette();
    for (int p = 0; p < PaletteIndex::PageCount; ++p) {
        auto *scrollArea = new QScrollArea(m_tabSheets[size_t(p)]);
        scrollArea->setFrameShape(QFrame::NoFrame);
        auto *fill = new QVBoxLayout(m_tabSheets[size_t(p)]);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(scrollArea);
        auto *panel = new QWidget;
        panel->setObjectName(QStringLiteral("PalettePanel%1").arg(p));
        panel->setFixedSize(258, palette.panelHeights[size_t(p)]);
        scrollArea->setWidget(panel);
        m_palettePanels[size_t(p)] = panel;
    }
    const bool administration = m_editor.settings().OpAdministration;
    for (const PaletteEntry &entry : palette.entries) {
        auto *image = new CellView(m_palettePanels[size_t(entry.page)]);
        image->setObjectName(QStringLiteral("PCImage") + Id5(entry.tag));
        image->setGeometry(entry.left, entry.top, PaletteIndex::PictureSize, PaletteIndex::PictureSize);
        image->setTransparent(entry.transparent);
        image->setImage(LoadBitmap(entry.picturePath));
        if (administration)
            image->setToolTip(Id5(entry.tag));
        const int tag = entry.tag;
        connect(image, &CellView::clicked, this, [this, tag] { runCommand([this, tag] { m_editor.pickTile(tag); }); });
        connect(image, &CellView::doubleClicked, this,
                [this, tag] { runCommand([this, tag] { m_editor.requestTileDefinition(tag); }); });
        m_paletteImages.append(image);
    }
    connect(m_pageControl1, &QTabWidget::currentChanged, &m_editor, &Editor::setActivePalettePage);
    m_editor.setActivePalettePage(m_pageControl1->currentIndex());
}

void MainWindow::CreateStepBoxes()
{
    for (int i = 0; i < 5; ++i) {
        auto *box = new QCheckBox(m_panel4);
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
