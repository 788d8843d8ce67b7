// A short message for screen readers, said politely after what they are
// saying, on behalf of `source`. Qt offers announcements from 6.8 on; before
// that nothing is sent and the caller tells the news another way.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QString>

// Whether this Qt announces at all (whether or not a reader listens now).
inline bool AnnouncePolitely(QObject* source, const QString& message)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (QAccessible::isActive()) {
        QAccessibleAnnouncementEvent announcement(source, message);
        announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Polite);
        QAccessible::updateAccessibility(&announcement);
    }
    return true;
#else
    Q_UNUSED(source);
    Q_UNUSED(message);
    return false;
#endif
}
