#include "Accessibility.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

class LiveLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LiveLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text which) const override
    {
        return which == QAccessible::Name ? label()->text() : QAccessibleWidget::text(which);
    }

    QString text(int start, int end) const override
    {
        return label()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(label()->text().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object)
{
    if (auto* control = dynamic_cast<TAccessibleControl*>(object))
        return control->CreateAccessible();
    return nullptr;
}

} // namespace

void InstallAccessibility() { QAccessible::installFactory(accessibleFor); }

QAccessibleInterface* CreateLiveLabelAccessible(QLabel* label)
{
    return new LiveLabelAccessible(label);
}
