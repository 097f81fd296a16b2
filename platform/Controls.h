#pragma once
// Controls by number: dialog controls keep the numeric ids they were designed
// with, so code and tests can speak of "edit 1156".

#include <QList>
#include <QVariant>
#include <QWidget>

namespace platform {

// Name of the dynamic property holding a control's id.
inline constexpr const char* kControlIdProperty = "ctrlId";

inline void setControlId(QObject* control, int id)
{
    control->setProperty(kControlIdProperty, id);
}

// The control's id, or -1 when it has none.
inline int controlId(const QObject* control)
{
    QVariant v = control->property(kControlIdProperty);
    bool ok = false;
    int id = v.toInt(&ok);
    return v.isValid() && ok ? id : -1;
}

// The first descendant of dialog with the given id that is a T; null if none.
template <class T>
T* control(QObject* dialog, int id)
{
    if (!dialog) {
        return nullptr;
    }
    const QList<T*> all = dialog->findChildren<T*>();
    for (T* c : all) {
        if (controlId(c) == id) {
            return c;
        }
    }
    return nullptr;
}

} // namespace platform
