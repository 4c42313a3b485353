#pragma once

#include "palettestepper.h"
#include "pointanimation.h"
#include "qtruntimeservices.h"

#include <QRect>
#include <QWidget>

#include <vector>

class DrawingSurface;
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
    void paintEvent(QPaintEvent *event) override;

private:
    struct Controls
    {
        QLabel *lbl1 = nullptr;
        QTimer *tmr1 = nullptr;
        DrawingSurface *pct1 = nullptr;
        std::vector<QRect> frames; // outlines painted on the window's background
    };
    static Controls createControls(QWidget &window);
    void routeEvents();
    void onTick();

    Controls controls_;
    QtRuntimeServices services_;
    PointAnimation animation_;
    PaletteStepper palette_;
};
