#pragma once

#include <QObject>
#include <QString>

#include <gtest/gtest.h>

namespace kestrix {

// The child of parent by its object name; a failed check where there is none,
// so a renamed widget shows as such and not as a wrong value.
template<class T>
T *child(const QObject &parent, const QString &name)
{
    T *found = parent.findChild<T *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

template<class T>
T *child(const QObject &parent, const char *name)
{
    return child<T>(parent, QString::fromUtf8(name));
}

} // namespace kestrix
