// kvgui_option_icon_button.h
#pragma once

#include "kvgui_option_button.h"

class TFlashAnimator;

// An option button that shows the option's icon, optionally with the text under it, and can flash to draw
// attention. Arrow keys never activate it, so it never opens a menu by them.
class TOptionIconButton : public TOptionButton
{
    Q_OBJECT
public:
    enum DrawFlag
    {
        DrawBackground = 1, // the style's button panel
        DrawText = 2 // the text under the icon
    };
    Q_DECLARE_FLAGS(DrawFlags, DrawFlag)

    TOptionIconButton(TOption *option, QWidget *parent);
    explicit TOptionIconButton(QWidget *parent);
    ~TOptionIconButton() override;

    void setDrawFlags(DrawFlags flags);
    DrawFlags getDrawFlags() const { return drawFlags; }
    void setAnimating(bool on);
    bool isAnimating() const { return animating; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QWidget *createMenuShownWidget(TOptionMenuWindow *menu, MenuDirections direction) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void initGeometry();

    DrawFlags drawFlags;
    bool animating;
    TFlashAnimator *animator; // child; created on first use
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TOptionIconButton::DrawFlags)
