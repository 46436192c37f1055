#pragma once

#include <QObject>
#include <QRect>
#include <QWidget>
#include <QString>

#include <gtest/gtest.h>

#include <span>

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

// A widget's place in its parent, by its object name.
struct Place
{
    const char *name;
    QRect geometry;
};

// Every named widget stands at its place: a layout as designed.
inline void expectPlaces(const QObject &parent, std::span<const Place> places)
{
    for (const Place &p : places) {
        if (auto *widget = child<QWidget>(parent, p.name)) {
            EXPECT_EQ(widget->geometry(), p.geometry) << p.name;
        }
    }
}

} // namespace kestrix
