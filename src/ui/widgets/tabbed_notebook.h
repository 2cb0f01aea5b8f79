#ifndef OBTMIRROR_UI_WIDGETS_TABBED_NOTEBOOK_H_
#define OBTMIRROR_UI_WIDGETS_TABBED_NOTEBOOK_H_

#include <QTabWidget>

namespace ui {

// A tab widget whose pages always begin at (4, 24), below the tabs, and end
// 4 pixels inside its other edges, whatever the style would choose: the
// controls on the pages are placed in absolute pixels.
class TabbedNotebook : public QTabWidget {
  Q_OBJECT

 public:
  static constexpr int kPageLeft = 4;
  static constexpr int kPageTop = 24;

  explicit TabbedNotebook(QWidget* parent = nullptr);

  QRect PageRect() const;

 protected:
  bool event(QEvent* event) override;

 private:
  void PlacePages();
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_TABBED_NOTEBOOK_H_
