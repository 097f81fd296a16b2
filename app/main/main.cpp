#include "app/OrvikCadApp.h"

#include <QApplication>
#include <clocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QStringList args = QApplication::arguments();
    args.removeFirst();
    COrvikCadApp& theApp = AfxGetApp();
    if (!theApp.InitInstance(args)) {
        return 1;
    }
    if (const std::optional<int> printed = theApp.ShellPrintResult()) {
        theApp.ExitInstance();
        return *printed;
    }
    int rc = app.exec();
    theApp.ExitInstance();
    return rc;
}
