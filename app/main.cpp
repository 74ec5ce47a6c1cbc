#include <QApplication>
#include <QLabel>

#include "qelt_version.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("QELT " QELT_VERSION_STRING));
    label.show();
    return app.exec();
}
