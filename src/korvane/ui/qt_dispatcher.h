#pragma once
// Hands the watcher's work to the Qt event loop: it runs on the interface thread,
// in the order posted, between the window's own events.

#include <QCoreApplication>
#include <QMetaObject>

#include "korvane/core/run/ui_dispatcher.h"

namespace korvane::ui {

class QtDispatcher : public UiDispatcher {
 public:
  void Post(std::function<void()> work) override {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [work = std::move(work)] { work(); }, Qt::QueuedConnection);
  }
};

}  // namespace korvane::ui
