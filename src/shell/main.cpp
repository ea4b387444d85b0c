// Program entry.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kovistrel"));
    QApplication::setApplicationName(QStringLiteral("Quorvanta"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tamro Plenthover"));
    window.setCentralWidget(new QLabel(QStringLiteral("No project is open.")));
    window.resize(1024, 720);
    window.show();
    return QApplication::exec();
}
