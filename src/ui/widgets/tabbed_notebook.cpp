#include "ui/widgets/tabbed_notebook.h"

#include <QEvent>
#include <QStackedWidget>

namespace ui {

TabbedNotebook::TabbedNotebook(QWidget* parent) : QTabWidget(parent) {}

QRect TabbedNotebook::PageRect() const {
  return QRect(kPageLeft, kPageTop, width() - 2 * kPageLeft,
               height() - kPageTop - kPageLeft);
}

bool TabbedNotebook::event(QEvent* event) {
  // The tab widget lays out its pages again on each of these; put them back
  // right after it.
  const bool handled = QTabWidget::event(event);
  switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::LayoutRequest:
    case QEvent::StyleChange:
    case QEvent::FontChange:
    case QEvent::Polish:
      PlacePages();
      break;
    default:
      break;
  }
  return handled;
}

void TabbedNotebook::PlacePages() {
  auto* stack =
      findChild<QStackedWidget*>(QString(), Qt::FindDirectChildrenOnly);
  if (stack != nullptr && stack->geometry() != PageRect()) {
    stack->setGeometry(PageRect());
  }
}

}  // namespace ui
