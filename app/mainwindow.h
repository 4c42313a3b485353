#pragma once

#include "palettestepper.h"
#include "pointanimation.h"
#include "qtruntimeservices.h"

#include <QRect>
#include <QWidget>

#include <vector>

class DrawingSurface;
class LayoutPane;
class QLabel;
class QTimer;

// The program's one window: builds its controls from the layout table, owns all program state
// and routes every click and tick to the handler that owns it.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    MainWindow();

    const PointAnimation &animation() const { return animation_; }
    const PaletteStepper &paletteStepper() const { return palette_; }

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Controls
    {
        LayoutPane *pane = nullptr; // the fixed layout, at its own size
        QLabel *lbl1 = nullptr;
        QTimer *tmr1 = nullptr;
        DrawingSurface *pct1 = nullptr;
    };
    static Controls createControls(QWidget &window);
    void routeEvents();
    void onTick();
    void fitSizeToState();

    Controls controls_;
    QtRuntimeServices services_;
    PointAnimation animation_;
    PaletteStepper palette_;
};
