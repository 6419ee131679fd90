#include "ui/pages/web_data_page.h"

namespace orvane::ui {

WebDataPage::WebDataPage(PageHost& host, QWidget* parent) : QWidget(parent), m_host(host) {
    setObjectName(QStringLiteral("Get_Web_data"));
}

}  // namespace orvane::ui
