// Helpers shared by the control tests: real key and mouse events, form text, the modal seam and
// the published-property tables.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Filer.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"
#include "platform/core/TypInfo.h"
#include "platform/gui/Application.h"

namespace zk::test {

inline void SendKeyTo(QWidget* W, int QtKey, const QString& Text = QString(),
                      Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    QKeyEvent Press(QEvent::KeyPress, QtKey, Mods, Text);
    QApplication::sendEvent(W, &Press);
    QKeyEvent Release(QEvent::KeyRelease, QtKey, Mods, Text);
    QApplication::sendEvent(W, &Release);
}

inline void TypeText(QWidget* W, const std::string& Text) {
    for (char C : Text) {
        const int Key = C >= 'a' && C <= 'z'   ? int(Qt::Key_A) + (C - 'a')
                        : C >= 'A' && C <= 'Z' ? int(Qt::Key_A) + (C - 'A')
                        : C == '\n'            ? int(Qt::Key_Return)
                                               : int(C);
        SendKeyTo(W, Key, QString(QChar(C == '\n' ? '\r' : C)));
    }
}

inline void SendMouseTo(QWidget* W, QEvent::Type Type, QPoint Pos,
                        Qt::MouseButton Button = Qt::LeftButton,
                        Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    const Qt::MouseButtons Buttons =
        Type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(Button);
    QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)),
                  Type == QEvent::MouseMove ? Qt::NoButton : Button, Buttons, Mods);
    QApplication::sendEvent(W, &E);
}

inline void ClickAt(QWidget* W, QPoint Pos, Qt::MouseButton Button = Qt::LeftButton) {
    SendMouseTo(W, QEvent::MouseButtonPress, Pos, Button);
    SendMouseTo(W, QEvent::MouseButtonRelease, Pos, Button);
}

// The text form of Root as the writer stores it.
inline std::string FormTextOf(TComponent* Root) {
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Root);
    Stream.SetPosition(0);
    TMemoryStream Text;
    ObjectBinaryToText(&Stream, &Text);
    return std::string(reinterpret_cast<const char*>(Text.GetMemory()),
                       static_cast<size_t>(Text.GetSize()));
}

// Reads a text form into Root (or a new root of the stream's class when null).
inline TComponent* ReadFormText(const std::string& Text, TComponent* Root) {
    const std::string Binary = ObjectTextToBinary(Text);
    TMemoryStream Stream;
    Stream.WriteBuffer(Binary.data(), static_cast<int64_t>(Binary.size()));
    Stream.SetPosition(0);
    return ReadComponentFromStream(&Stream, Root);
}

// Takes over the modal seam for one scope.
struct TModalScope {
    explicit TModalScope(TModalHandler H) { SetModalHandler(std::move(H)); }
    ~TModalScope() { SetModalHandler(nullptr); }
    TModalScope(const TModalScope&) = delete;
    TModalScope& operator=(const TModalScope&) = delete;
};

// One published property written through the type information, with what
// the real widget must show afterwards.
struct TPropCase {
    std::string Name;
    TVariant Value;
    std::function<bool()> WidgetShows;
};

// Writes every case generically, then reads it back the same way and asks
// the widget; a failure names the property.
inline void CheckPublished(TObject* Instance, const std::vector<TPropCase>& Cases) {
    for (const TPropCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        ASSERT_NE(nullptr, GetPropInfo(Instance, Case.Name)) << "not published";
        SetPropValue(Instance, Case.Name, Case.Value);
        EXPECT_EQ(VarToStr(Case.Value), VarToStr(GetPropValue(Instance, Case.Name)));
        if (Case.WidgetShows) {
            EXPECT_TRUE(Case.WidgetShows());
        }
    }
}

}  // namespace zk::test
