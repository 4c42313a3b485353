#pragma once

#include "drawingsurface.h"
#include "mainwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// The program's window, shown, for a test: made afresh by each test function's init(), and its
// controls by name.
class WindowFixture
{
public:
    void open()
    {
        window = new MainWindow;
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void close()
    {
        delete window;
        window = nullptr;
    }

    QPushButton *button(Layout::ControlId id) const
    {
        return qobject_cast<QPushButton *>(window->widget(id));
    }
    DrawingSurface *surface() const
    {
        return qobject_cast<DrawingSurface *>(window->widget(Layout::ControlId::pct1));
    }
    QLabel *lbl1() const { return qobject_cast<QLabel *>(window->widget(Layout::ControlId::lbl1)); }

protected:
    MainWindow *window = nullptr;
};
