// The map view's window: shows the view surface as it is and passes the mouse to the session.
#pragma once

#include <QWidget>
#include <functional>

namespace tess {

class EditorSession;
class tSurface;

class MapSurfaceWidget final : public QWidget {
    Q_OBJECT
  public:
    MapSurfaceWidget(EditorSession& session, QWidget* parent = nullptr);

    // Called after every change of the widget's size.
    void SetResizeHandler(std::function<void()> handler) { onResize_ = std::move(handler); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    EditorSession& session_;
    std::function<void()> onResize_;
};

}  // namespace tess
