// The private widget classes that back controls and carry Qt's events into them.
#pragma once
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <utility>

#include "platform/gui/Controls.h"

namespace zk {

// What every control widget answers, whatever Qt class it derives from.
class IControlWidget {
public:
    virtual ~IControlWidget() = default;
    virtual TControl* GetControl() const = 0;
    // Called by the control before it deletes the widget: no event reaches it afterwards.
    virtual void DetachControl() = 0;
    // True while one of the widget's event handlers runs; the control then
    // defers deleting the widget to the event loop.
    virtual bool InEvent() const = 0;
};

// The doorway from widget events into a control's protected steps.
class TWidgetEvents {
public:
    static bool Deliver(TControl* Control, QEvent* E);
    static bool Key(TControl* Control, QKeyEvent* E, std::unique_ptr<QKeyEvent>& Replacement);
    static bool Paint(TControl* Control, QPaintEvent* E, QWidget* Device);
    // Whether the control takes Tab itself instead of Qt moving the focus.
    static bool WantsTab(TControl* Control, QKeyEvent* E);
    // Tab moves the focus along the form's tab order; false when no form takes it.
    static bool FocusNext(TControl* Control, bool Next);
};

// Base is the Qt widget class (QWidget, QLineEdit, QPushButton...). Mouse,
// focus, show and size events reach the control after Qt handled them, as
// the framework runs the native handling before its own events; keys reach
// the control first, so that KeyDown can keep them from the widget.
template <class Base>
class TControlWidget : public Base, public IControlWidget {
public:
    template <class... A>
    explicit TControlWidget(TControl* Control, A&&... Args)
        : Base(std::forward<A>(Args)...), FControl(Control) {}

    TControl* GetControl() const override { return FControl; }
    void DetachControl() override { FControl = nullptr; }
    bool InEvent() const override { return FDepth > 0; }

protected:
    // Brackets one handler: counts nesting and tells whether the widget survived.
    class TScope {
    public:
        explicit TScope(TControlWidget* W) : FWidget(W), FAlive(W) { ++W->FDepth; }
        ~TScope() {
            if (FAlive) --FWidget->FDepth;
        }
        bool Alive() const { return !FAlive.isNull() && FWidget->FControl; }
        TScope(const TScope&) = delete;
        TScope& operator=(const TScope&) = delete;

    private:
        TControlWidget* FWidget;
        QPointer<QObject> FAlive;
    };

    bool Forward(QEvent* E) { return FControl && TWidgetEvents::Deliver(FControl, E); }

    // Native handling first, then the control; the event never reaches the parent widget.
    template <class Ev, class F>
    void After(Ev* E, F Native) {
        TScope S(this);
        Native();
        if (S.Alive()) Forward(E);
        E->accept();
    }

    bool event(QEvent* E) override {
        if (E->type() == QEvent::KeyPress && FControl) {
            auto* K = static_cast<QKeyEvent*>(E);
            if ((K->key() == Qt::Key_Tab || K->key() == Qt::Key_Backtab) &&
                TWidgetEvents::WantsTab(FControl, K)) {
                keyPressEvent(K);
                return true;
            }
        }
        if (E->type() == QEvent::WindowActivate || E->type() == QEvent::WindowDeactivate) {
            TScope S(this);
            if (this->isWindow()) Forward(E);
            if (!S.Alive()) return true;
        }
        return Base::event(E);
    }
    void mousePressEvent(QMouseEvent* E) override {
        // Qt's own double-click handling calls this again for the same event.
        if (FInDoubleClick) {
            Base::mousePressEvent(E);
            return;
        }
        After(E, [&] { Base::mousePressEvent(E); });
    }
    void mouseReleaseEvent(QMouseEvent* E) override {
        After(E, [&] { Base::mouseReleaseEvent(E); });
    }
    void mouseDoubleClickEvent(QMouseEvent* E) override {
        After(E, [&] {
            FInDoubleClick = true;
            Base::mouseDoubleClickEvent(E);
            FInDoubleClick = false;
        });
    }
    bool focusNextPrevChild(bool Next) override {
        TScope S(this);
        if (FControl && TWidgetEvents::FocusNext(FControl, Next)) return true;
        return S.Alive() ? Base::focusNextPrevChild(Next) : true;
    }
    void mouseMoveEvent(QMouseEvent* E) override {
        After(E, [&] { Base::mouseMoveEvent(E); });
    }
    void wheelEvent(QWheelEvent* E) override {
        TScope S(this);
        E->ignore();
        if (Forward(E)) {
            E->accept();
            return;
        }
        if (S.Alive()) Base::wheelEvent(E);
    }
    void keyPressEvent(QKeyEvent* E) override {
        KeyEvent(E, [&](QKeyEvent* K) { Base::keyPressEvent(K); });
    }
    void keyReleaseEvent(QKeyEvent* E) override {
        KeyEvent(E, [&](QKeyEvent* K) { Base::keyReleaseEvent(K); });
    }
    void focusInEvent(QFocusEvent* E) override {
        Notify(E, [&] { Base::focusInEvent(E); });
    }
    void focusOutEvent(QFocusEvent* E) override {
        Notify(E, [&] { Base::focusOutEvent(E); });
    }
    void enterEvent(QEnterEvent* E) override {
        Notify(E, [&] { Base::enterEvent(E); });
    }
    void leaveEvent(QEvent* E) override {
        Notify(E, [&] { Base::leaveEvent(E); });
    }
    void resizeEvent(QResizeEvent* E) override {
        Notify(E, [&] { Base::resizeEvent(E); });
    }
    void moveEvent(QMoveEvent* E) override {
        Notify(E, [&] { Base::moveEvent(E); });
    }
    void showEvent(QShowEvent* E) override {
        Notify(E, [&] { Base::showEvent(E); });
    }
    void hideEvent(QHideEvent* E) override {
        Notify(E, [&] { Base::hideEvent(E); });
    }
    void paintEvent(QPaintEvent* E) override {
        TScope S(this);
        if (FControl && TWidgetEvents::Paint(FControl, E, this)) return;
        if (S.Alive() || !FControl) Base::paintEvent(E);
    }
    // The control's pop-up menu replaces the widget's own; without one the
    // widget's own menu shows, or the event goes on to the parent.
    void contextMenuEvent(QContextMenuEvent* E) override {
        TScope S(this);
        if (Forward(E)) {
            E->accept();
            return;
        }
        if (S.Alive()) Base::contextMenuEvent(E);
    }
    // A form decides itself whether and how it closes.
    void closeEvent(QCloseEvent* E) override {
        TScope S(this);
        if (Forward(E)) {
            E->ignore();
            return;
        }
        if (S.Alive()) Base::closeEvent(E);
    }

private:
    template <class Ev, class F>
    void Notify(Ev* E, F Native) {
        TScope S(this);
        Native();
        if (S.Alive()) Forward(E);
    }
    template <class F>
    void KeyEvent(QKeyEvent* E, F Native) {
        TScope S(this);
        std::unique_ptr<QKeyEvent> Replacement;
        if (FControl && TWidgetEvents::Key(FControl, E, Replacement)) {
            E->accept();
            return;
        }
        if (!S.Alive()) return;
        Native(Replacement ? Replacement.get() : E);
        // Keys stay with the focused control, as the framework delivers them.
        E->accept();
    }

    TControl* FControl;  // the control that owns this widget; null once detached
    int FDepth = 0;
    bool FInDoubleClick = false;
};

// Raises a window above the others; the headless platform cannot stack
// windows and would say so on every call.
inline void RaiseWindow(QWidget* Window) {
    if (Window->isVisible() && QGuiApplication::platformName() != QLatin1String("offscreen"))
        Window->raise();
}

// Creates the backing widget of Control from the Qt class W.
template <class W, class... A>
QWidget* MakeControlWidget(TControl* Control, A&&... Args) {
    return new TControlWidget<W>(Control, std::forward<A>(Args)...);
}

}  // namespace zk
