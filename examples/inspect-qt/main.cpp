// inspect-qt: a plain Qt Widgets window with standard widgets and a zk inspector beside them;
// clicking a widget inspects it, and the inspector edits it.
//   inspect-qt                 runs the window
//   inspect-qt --grab out.png  shows it, saves a picture of it and quits
//   inspect-qt --grab out.png --click slider
//                              the same after a click on the widget of that name
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWidget>

#include "inspector/ZkObjectInspector.h"
#include "platform/gui/Application.h"
#include "platform/gui/Forms.h"
#include "qtbridge/ZkQtBridgeRegistration.h"
#include "qtbridge/ZkQtObject.h"

namespace {

using namespace zk;

// Holds a borderless zk form inside the Qt window and keeps it at its size:
// the form lays out its own controls, the Qt layout places the form.
class TFormHost : public QWidget {
public:
    explicit TFormHost(TForm* Form) : FForm(Form) {
        Form->SetBorderStyle(bsNone);
        Form->GetWidget()->setParent(this);
        setMinimumSize(320, 300);
    }

protected:
    void resizeEvent(QResizeEvent*) override {
        SafeCall(FForm, [this] { FForm->SetBounds(0, 0, width(), height()); });
    }
    void showEvent(QShowEvent*) override {
        SafeCall(FForm, [this] {
            FForm->SetBounds(0, 0, width(), height());
            FForm->Show();
        });
    }

private:
    TForm* FForm;  // not owned: the window's owner frees it
};

// The window: the widgets on the left, the inspector on the right.
class TInspectWindow : public QWidget {
public:
    TInspectWindow() : FForm(Create<TForm>(nullptr)) {
        setWindowTitle(QStringLiteral("inspect-qt"));
        auto* Widgets = new QGroupBox(QStringLiteral("Qt widgets (click one)"));
        auto* Form = new QFormLayout(Widgets);
        auto* Button = new QPushButton(QStringLiteral("Press me"));
        Button->setObjectName(QStringLiteral("pushButton"));
        auto* Check = new QCheckBox(QStringLiteral("Enabled"));
        Check->setObjectName(QStringLiteral("checkBox"));
        Check->setChecked(true);
        auto* Slider = new QSlider(Qt::Horizontal);
        Slider->setObjectName(QStringLiteral("slider"));
        Slider->setValue(40);
        auto* Progress = new QProgressBar;
        Progress->setObjectName(QStringLiteral("progressBar"));
        Progress->setValue(40);
        auto* Edit = new QLineEdit(QStringLiteral("Some text"));
        Edit->setObjectName(QStringLiteral("lineEdit"));
        auto* Spin = new QSpinBox;
        Spin->setObjectName(QStringLiteral("spinBox"));
        Spin->setValue(7);
        auto* Combo = new QComboBox;
        Combo->setObjectName(QStringLiteral("comboBox"));
        Combo->addItems({QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")});
        Form->addRow(QStringLiteral("QPushButton"), Button);
        Form->addRow(QStringLiteral("QCheckBox"), Check);
        Form->addRow(QStringLiteral("QSlider"), Slider);
        Form->addRow(QStringLiteral("QProgressBar"), Progress);
        Form->addRow(QStringLiteral("QLineEdit"), Edit);
        Form->addRow(QStringLiteral("QSpinBox"), Spin);
        Form->addRow(QStringLiteral("QComboBox"), Combo);
        // A live link, so that the inspector's refresh by notify signal shows.
        connect(Slider, &QSlider::valueChanged, Progress, &QProgressBar::setValue);
        connect(Check, &QCheckBox::toggled, Button, &QWidget::setEnabled);
        FWidgets = Widgets;

        FInspector = Create<TZkObjectInspector>(FForm.get());
        FInspector->SetParent(FForm.get());
        FInspector->SetAlign(alClient);
        FCaption = new QLabel;
        auto* Side = new QVBoxLayout;
        Side->addWidget(FCaption);
        Side->addWidget(new TFormHost(FForm.get()), 1);
        auto* Layout = new QHBoxLayout(this);
        Layout->addWidget(Widgets);
        Layout->addLayout(Side, 1);
        resize(860, 620);
        qApp->installEventFilter(this);
        Inspect(Button);
    }
    ~TInspectWindow() override { qApp->removeEventFilter(this); }

protected:
    // A press on a widget of the panel (or on a part of one, such as a spin
    // box's line edit) inspects that widget; the press goes on as usual.
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::MouseButtonPress && Watched->isWidgetType()) {
            QWidget* W = static_cast<QWidget*>(Watched);
            while (W && W->parentWidget() != FWidgets) W = W->parentWidget();
            if (W) Inspect(W);
        }
        return QWidget::eventFilter(Watched, Event);
    }

private:
    void Inspect(QWidget* W) {
        SafeCall(FInspector,
                 [this, W] { FInspector->SetInspectedComponent(TZkQtObject::Of(W, FForm.get())); });
        FCaption->setText(
            QStringLiteral("Inspecting %1 \"%2\"")
                .arg(QString::fromLatin1(W->metaObject()->className()), W->objectName()));
    }

    TOwned<TForm> FForm;  // owns the inspector and the adapters
    TZkObjectInspector* FInspector = nullptr;
    QWidget* FWidgets = nullptr;
    QLabel* FCaption = nullptr;
};

}  // namespace

namespace {

// A press and release in the middle of the window's widget named Name, as a user's click.
void Click(QWidget* Window, const QString& Name) {
    auto* Target = Window->findChild<QWidget*>(Name);
    if (!Target) return;
    const QPointF At(Target->width() / 2.0, Target->height() / 2.0);
    const QPointF Global = Target->mapToGlobal(At);
    QMouseEvent Press(QEvent::MouseButtonPress, At, Global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(Target, &Press);
    QMouseEvent Release(QEvent::MouseButtonRelease, At, Global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(Target, &Release);
}

QString ArgAfter(const QStringList& Args, const QString& Option) {
    const qsizetype At = Args.indexOf(Option);
    return At >= 0 && At + 1 < Args.size() ? Args[At + 1] : QString();
}

}  // namespace

int main(int argc, char** argv) {
    zk::InitApplication(argc, argv);
    zk::RegisterQtBridgeClasses();
    const QStringList Args = QCoreApplication::arguments();
    const QString GrabTo = ArgAfter(Args, QStringLiteral("--grab"));
    const QString ClickOn = ArgAfter(Args, QStringLiteral("--click"));
    int Result = 0;
    {
        TInspectWindow Window;
        Window.show();
        if (!GrabTo.isEmpty()) {
            // Let the rescan and the layout run, then take the picture.
            for (int I = 0; I < 10; ++I) zk::Application->ProcessMessages();
            if (!ClickOn.isEmpty()) {
                Click(&Window, ClickOn);
                for (int I = 0; I < 10; ++I) zk::Application->ProcessMessages();
            }
            Result = Window.grab().save(GrabTo) ? 0 : 1;
        } else {
            QObject::connect(qApp, &QGuiApplication::lastWindowClosed, qApp,
                             &QCoreApplication::quit);
            qApp->setQuitOnLastWindowClosed(true);
            Result = QApplication::exec();
        }
    }
    zk::DoneApplication();
    return Result;
}
