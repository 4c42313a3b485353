#pragma once

#include "layouttable.h"
#include "mainform.h"
#include "qtruntimeservices.h"
#include "windowlayout.h"

#include <QWidget>

#include <array>

class DrawingSurface;
class LayoutPane;
class QLabel;
class QTimer;
class ValueLabel;

// The program's one window on Qt: builds its controls from the layout table and turns their
// clicks, the timer's ticks and its own start into the form's events.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    MainWindow();

    const PointAnimation &animation() const { return form_.animation(); }
    const PaletteStepper &paletteStepper() const { return form_.paletteStepper(); }
    // The widget of a control; null for the frame rectangles, which are painted.
    QWidget *widget(Layout::ControlId id) const { return widgets_[Layout::indexOf(id)]; }
    QTimer *timer() const { return controls_.tmr1; }
    // The layout as the window shows it, in device pixels from its top-left corner.
    const WindowLayout &layout() const;

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Controls
    {
        LayoutPane *pane = nullptr; // the fixed layout, at its own size
        ValueLabel *lbl1 = nullptr; // the label the stepper writes
        QTimer *tmr1 = nullptr;
        DrawingSurface *pct1 = nullptr;
    };
    Controls createControls();
    QWidget *createControl(const Layout::Control &control, Controls &controls);
    QLabel *createLabel(const Layout::Control &control, Controls &controls);
    static void describe(QWidget &widget, const Layout::Control &control);
    void routeEvents();
    void onTick();
    void fitSizeToState();
    void fitToScreen();

    std::array<QWidget *, Layout::kControlCount> widgets_{};
    Controls controls_;
    QtRuntimeServices services_;
    MainForm form_;
    bool followsScreens_ = false;
};
