// What assistive technology learns beyond the widgets' own names: buttons
// that are one of a choice (checked or not), and a text read as one over a
// part of the window, announced when it changes.
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include "platform/native.h"
#include "platform/qt/widgets.h"

namespace platform::native {

namespace {

// A button, read by its caption; one that is one of a choice, such as the
// sizes of the plane, is read as a radio button, checked when chosen.
// Pressing it clicks it. (Qt asks for a widget's interface once, often while
// the widget is being made: the choice is looked up each time.)
class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(ButtonWidget* b) : QAccessibleWidget(b, QAccessible::Button) {}

    ButtonWidget* button() const { return static_cast<ButtonWidget*>(widget()); }

    QAccessible::Role role() const override
    {
        return button()->checked >= 0 ? QAccessible::RadioButton : QAccessible::Button;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (button()->checked >= 0) {
            s.checkable = true;
            s.checked = button()->checked == 1;
        }
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && button()->accessibleName().isEmpty()) return button()->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override
    {
        if (name == pressAction()) button()->animateClick();
        else QAccessibleWidget::doAction(name);
    }
};

// A text over a part of the window, read as one.
class TextAccessible : public QAccessibleWidget {
public:
    explicit TextAccessible(TextWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) return static_cast<TextWidget*>(widget())->text;
        return QAccessibleWidget::text(t);
    }
};

// A label or a line that a text read as one speaks for: left out by
// assistive technology (invisible to it), keeping its name.
class UnreadAccessible : public QAccessibleWidget {
public:
    explicit UnreadAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::StaticText) {}
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            if (auto* label = qobject_cast<QLabel*>(widget())) return label->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* factory(const QString&, QObject* object)
{
    if (auto* w = qobject_cast<QWidget*>(object); w && w->property(kUnread).toBool()) return new UnreadAccessible(w);
    if (auto* b = qobject_cast<QPushButton*>(object)) {
        if (auto* button = dynamic_cast<ButtonWidget*>(b)) return new ButtonAccessible(button);
        return nullptr;
    }
    if (auto* w = dynamic_cast<TextWidget*>(object)) return new TextAccessible(w);
    return nullptr;
}

}  // namespace

void ForgetAccessibleInterface(QWidget* w)
{
    // An interface made while the widget was still being made (when
    // assistive technology is listening, Qt makes one at once) is Qt's own.
    if (QAccessible::isActive())
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(QAccessible::queryAccessibleInterface(w)));
}

void InstallAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

TextWidget::TextWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    ForgetAccessibleInterface(this);
}

void SetChecked(Element& button, bool checked)
{
    InstallAccessibility();
    auto& b = static_cast<ButtonWidget&>(*button.widget);
    const bool wasChoice = b.checked >= 0;
    b.checked = checked ? 1 : 0;
    if (!wasChoice) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(&b, changed);
    QAccessible::updateAccessibility(&event);
}

Element* MakeAccessibleText(Form& form)
{
    InstallAccessibility();
    return Made(Element::Kind::Text, form, new TextWidget(FormOf(form)));
}

void SetAccessibleText(Element& e, const std::string& text)
{
    auto& w = static_cast<TextWidget&>(*e.widget);
    w.text = qt::ToQString(text);
    ++w.announced;
    QAccessibleEvent event(&w, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

}  // namespace platform::native
