#include "security/sslconfig.h"

#include "security/sslpages.h"

#include <QTabWidget>

using namespace Qt::StringLiterals;

TSSLConfigForm::TSSLConfigForm(QWidget *parent)
    : TPagedBindingDialog(u"SSLConfigForm"_s, u"pgcSSLConfig"_s, parent)
{
    setWindowTitle(u"SSL Configuration"_s);
    addPage(new TSSLStatePage);
    addPage(makeSSLCertificatePage());
    pages()->setCurrentIndex(0);
    resize(440, 420);
}
