// SPDX-License-Identifier: MIT
// A bare Qt window with the banner and eleven Japanese-labelled buttons: what
// the menu costs before any of Kalvora's own code.
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Kalvora"));
    auto* banner = new QLabel;
    banner->setPixmap(QPixmap(QString::fromLocal8Bit(argv[1])));
    banner->setScaledContents(true);
    banner->setFixedSize(384, 80);
    auto* grid = new QGridLayout;
    const char* texts[] = {"シグマの計算", "三角形の面積", "最大公約数", "２次方程式", "３次方程式", "４次方程式",
        "連立方程式", "逆行列", "行列式", "バージョン情報", "やめる"};
    for (int i = 0; i < 11; ++i)
        grid->addWidget(new QPushButton(QString::fromUtf8(texts[i])), i / 3, i == 10 ? 2 : i % 3, 1, i == 9 ? 2 : 1);
    auto* root = new QVBoxLayout(&window);
    root->addWidget(banner);
    root->addLayout(grid);
    window.show();
    return app.exec();
}
