#pragma once

#include <QObject>

namespace lumo {

// The controller of type T that is a child of window, created (as its child) on first use.
template <class T, class Window> T& InstallOnce(Window& window) {
    for (QObject* child : window.children()) {
        if (auto* existing = dynamic_cast<T*>(child))
            return *existing;
    }
    return *new T(window);
}

} // namespace lumo
