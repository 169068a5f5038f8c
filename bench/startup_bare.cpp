// A bare Qt window of the toolbox's size, quitting as soon as it is first shown: the floor
// the toolbox's start-up is compared against.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWidget w;
    w.setFixedSize(562, 407);
    w.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
