#pragma once
// The web-data page (object name "Get_Web_data"): the web-data definitions
// and their fetcher. It has no controls yet.
#include <QWidget>

namespace orvane::ui {

class PageHost;

class WebDataPage : public QWidget {
public:
    explicit WebDataPage(PageHost& host, QWidget* parent = nullptr);

    PageHost& host() const { return m_host; }

private:
    PageHost& m_host;
};

}  // namespace orvane::ui
