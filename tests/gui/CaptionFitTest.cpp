#include "gui/MainWindow.h"

#include "support/BundledLanguage.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QStyle>

#include <gtest/gtest.h>

using namespace kestrix;

namespace {

// The step panel is narrow and fixed: a caption that does not fit is cut off
// in the middle of a word.
class CaptionFit : public ::testing::TestWithParam<const char *>
{
};

TEST_P(CaptionFit, StepPanelCaptionsFitTheirControls)
{
    const QString code = QString::fromLatin1(GetParam());
    TestProgramFolder folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(useBundledLanguage(folder, code)) << code.toStdString();

    ScriptedPrompter prompter;
    MainWindow form(StartOptions{folder.programFolder(), folder.userFolder(), QString()}, &prompter);
    QWidget *panel4 = form.findChild<QWidget *>(QStringLiteral("Panel4"));
    ASSERT_NE(panel4, nullptr);
    int checked = 0;
    for (QWidget *control : panel4->findChildren<QWidget *>()) {
        const auto *button = qobject_cast<QAbstractButton *>(control);
        const auto *label = qobject_cast<QLabel *>(control);
        if (!button && !label)
            continue;
        const QString text = button ? button->text() : label->text();
        // The text itself, beside the tick box's indicator where there is one.
        int needed = control->fontMetrics().horizontalAdvance(text);
        if (button)
            needed += control->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control)
                      + control->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control);
        EXPECT_LE(needed, control->width())
            << code.toStdString() << ": " << control->objectName().toStdString() << " \"" << text.toStdString()
            << "\"";
        ++checked;
    }
    EXPECT_EQ(checked, 7) << "the label, five step boxes and the all-steps box";
}

INSTANTIATE_TEST_SUITE_P(BundledLanguages, CaptionFit, ::testing::Values("DE", "UK", "FR"));

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
