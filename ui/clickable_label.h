#pragma once
// A label that acts like a link: a left click, or Enter or Space while it has
// the keyboard focus (it takes the focus with Tab), runs its action.
#include <QLabel>

#include <functional>

namespace orvane::ui {

class ClickableLabel : public QLabel {
public:
    explicit ClickableLabel(QWidget* parent = nullptr);
    void SetAction(std::function<void()> action) { m_action = std::move(action); }
    // Runs the action as a click does.
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> m_action;
};

}  // namespace orvane::ui
