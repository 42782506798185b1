#include "src/highdpi.h"
#include "src/vantrel.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

int main(int argc, char* argv[])
{
    Prepare_High_Dpi();
    QApplication* application = new QApplication(argc, argv);
    // Without the "fusion" style the platform's default stays.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("fusion")))
        QApplication::setStyle(style);

    TVantrel* window = new TVantrel();
    window->show();
    const int result = QApplication::exec();
    delete window;
    delete application;
    return result;
}
