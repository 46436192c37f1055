#pragma once

#include "gui/MainWindow.h"

#include "support/NamedChild.h"
#include "support/ScriptedPrompter.h"
#include "support/TestProgramFolder.h"

#include <QAction>
#include <QCoreApplication>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace kestrix {

// The main window on a test program folder, driven by its widgets' names.
// Tests fill the folder first, then create the window.
template<class PrompterType = ScriptedPrompter>
struct TestWindow
{
    MainWindow &create(const QString &boardPath = QString())
    {
        form = std::make_unique<MainWindow>(StartOptions{folder.programFolder(), folder.userFolder(), boardPath},
                                        &prompter);
        return *form;
    }

    // Shows the window; a board named at start opens once it shows.
    void show()
    {
        form->show();
        QCoreApplication::processEvents();
    }

    // Shows the window as the active one, as shortcuts reach the active
    // window only; false when it does not become active.
    bool showActive()
    {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }

    template<class T>
    T *child(const QString &name)
    {
        return kestrix::child<T>(*form, name);
    }
    template<class T>
    T *child(const char *name)
    {
        return kestrix::child<T>(*form, name);
    }

    void trigger(const char *action)
    {
        if (QAction *found = child<QAction>(action))
            found->trigger();
    }

    PrompterType prompter;
    TestProgramFolder folder;
    std::unique_ptr<MainWindow> form;
};

} // namespace kestrix
