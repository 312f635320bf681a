// Helpers of the item-view and sample-control tests: real mouse and key events, form text, and
// the table of published properties checked against the widget.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/Filer.h"
#include "platform/core/FormText.h"
#include "platform/core/Stream.h"
#include "platform/core/TypInfo.h"
#include "platform/core/Variant.h"
#include "platform/core/TestUtil.h"

namespace zk::test {

template <class E, class F>
void ExpectThrowMessage(F&& Fn, const std::string& Message) {
    EXPECT_EQ(Message, MessageOf<E>(std::forward<F>(Fn)));
}

inline void Mouse(QWidget* W, QEvent::Type Type, QPoint Pos, Qt::MouseButtons Buttons,
                  Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    const Qt::MouseButton Button = Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent E(Type, QPointF(Pos), QPointF(W->mapToGlobal(Pos)), Button, Buttons, Mods);
    QApplication::sendEvent(W, &E);
}

inline void Click(QWidget* W, QPoint Pos, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    Mouse(W, QEvent::MouseButtonPress, Pos, Qt::LeftButton, Mods);
    Mouse(W, QEvent::MouseButtonRelease, Pos, Qt::NoButton, Mods);
}

inline void Key(QWidget* W, int QtKey, const QString& Text = QString()) {
    QKeyEvent Press(QEvent::KeyPress, QtKey, Qt::NoModifier, Text);
    QApplication::sendEvent(W, &Press);
    QKeyEvent Release(QEvent::KeyRelease, QtKey, Qt::NoModifier, Text);
    QApplication::sendEvent(W, &Release);
}

inline std::string FormText(TComponent* Root) {
    TMemoryStream Stream;
    WriteComponentToStream(&Stream, Root);
    Stream.SetPosition(0);
    TMemoryStream Text;
    ObjectBinaryToText(&Stream, &Text);
    return std::string(reinterpret_cast<const char*>(Text.GetMemory()),
                       static_cast<size_t>(Text.GetSize()));
}

// Reads form text into Root (whose class the text names).
inline void ReadFormText(const std::string& Text, TComponent* Root) {
    TMemoryStream In;
    In.WriteBuffer(Text.data(), static_cast<int64_t>(Text.size()));
    In.SetPosition(0);
    TMemoryStream Binary;
    ObjectTextToBinary(&In, &Binary);
    Binary.SetPosition(0);
    ReadComponentFromStream(&Binary, Root);
}

// One published property written through type information, and what the
// widget must show afterwards.
template <class C>
struct TPropCase {
    const char* Name;
    TVariant Value;
    std::function<bool(C*)> Shows;
};

template <class C>
void CheckPublished(C* Control, const std::vector<TPropCase<C>>& Cases) {
    for (const TPropCase<C>& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        ASSERT_NE(nullptr, GetPropInfo(Control, Case.Name));
        SetPropValue(Control, Case.Name, Case.Value);
        EXPECT_TRUE(Case.Shows(Control));
        EXPECT_EQ(Case.Value, GetPropValue(Control, Case.Name, false));
    }
}

}  // namespace zk::test
