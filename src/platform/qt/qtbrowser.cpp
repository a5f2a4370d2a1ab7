#include "qtbrowser.h"

#include <QDesktopServices>

void QtBrowser::open(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}
