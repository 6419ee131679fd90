#include "ui/speech_menu.h"

#include <QAction>
#include <QActionGroup>
#include <QLineEdit>
#include <QMenu>

#include "platform/qt/qt_speech_engine.h"
#include "ui/calculator_panel.h"
#include "ui/orvane_application.h"
#include "ui/wide_text.h"

namespace orvane::ui {

SpeechMenu::SpeechMenu(QMenu* voices, CalculatorModel& calc, CalculatorPanel& panel,
                       std::function<void(int, const std::string&)> status, platform::SpeechEngine* engine)
    : m_voices(voices), m_calc(calc), m_panel(panel), m_status(std::move(status)) {
    if (!engine) {
        m_ownEngine = std::make_unique<platform::QtSpeechEngine>();
        engine = m_ownEngine.get();
    }
    m_model = std::make_unique<SpeechModel>(*engine, *this);
    m_group = new QActionGroup(m_voices);
    m_group->setExclusive(true);
}

SpeechMenu::~SpeechMenu() = default;

void SpeechMenu::Listspeechlanguage1Click() {
    if (m_model->Listspeechlanguage1Click()) ShowItems();
}

void SpeechMenu::Language1Click(int index) {
    CalculatorModel& calc = m_calc;
    // The checks first, so the menu shows the new voice while it speaks.
    const auto& items = m_model->voice_items();
    if (index >= 0 && size_t(index) < items.size() && items[size_t(index)].enabled) {
        const QList<QAction*> actions = m_voices->actions();
        for (int i = 0; i < actions.size(); ++i) actions[i]->setChecked(i == index);
    }
    m_model->Language1Click(index, calc.expression_text(), calc.answer_text());
    ShowItems();
}

void SpeechMenu::ShowItems() {
    const auto& items = m_model->voice_items();
    QList<QAction*> actions = m_voices->actions();
    for (int i = int(items.size()); i < actions.size(); ++i) {
        m_voices->removeAction(actions[i]);
        delete actions[i];
    }
    actions = m_voices->actions();
    for (size_t i = 0; i < items.size(); ++i) {
        QAction* a = i < size_t(actions.size()) ? actions[int(i)] : nullptr;
        if (!a) {
            a = m_voices->addAction(QString());
            a->setCheckable(true);
            m_group->addAction(a);
            const int index = int(i);
            QObject::connect(a, &QAction::triggered, m_voices, [this, index] { Language1Click(index); },
                             Qt::QueuedConnection);
        }
        a->setText(Wide(items[i].caption));
        a->setEnabled(items[i].enabled);
        a->setCheckable(items[i].enabled);
        a->setChecked(items[i].checked);
    }
}

bool SpeechMenu::AnswerBoxHasFocus() { return m_panel.Edit_ans()->hasFocus(); }

void SpeechMenu::RepaintBoxes() {
    m_panel.ComboBoxExpression()->repaint();
    m_panel.Edit_ans()->repaint();
}

void SpeechMenu::ShowSpeechError(const std::string& message) {
    if (auto* app = OrvaneApplication::instance()) app->ReportError(Wide(message));
}

void SpeechMenu::StatusLine2Show(int panel, const std::string& text) {
    if (m_status) m_status(panel, text);
}

}  // namespace orvane::ui
