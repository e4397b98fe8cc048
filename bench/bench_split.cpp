// The split picture control: Show of one character at the big size, painted
// into an image as the window would paint it (median over every picture),
// and the size of the picture resources. With a folder argument it also
// writes contact sheets at both sizes there, of the given characters or the
// first 30.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_split [sheet folder [characters]]
#include "app/Resources.h"
#include "controls/ui/WB_Cut.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tesmara;

namespace {

// The pictures of `characters` in rows of 6, each on a white margin.
QImage sheet(WB_Cut& control, const QString& characters)
{
    const int count = int(characters.size());
    const QSize cell = control.pictureSize() + QSize(8, 8);
    QImage out(cell.width() * 6, cell.height() * ((count + 5) / 6), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    for (int i = 0; i < count; ++i) {
        control.Show(characters.mid(i, 1));
        control.render(&p, QPoint(i % 6 * cell.width() + 4, i / 6 * cell.height() + 4));
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    WB_Cut control;
    control.Load();
    control.setBackColor(QColor(0xF5, 0xFB, 0xFF)); // as the split drill shows it
    control.setShowBigPic(true);
    control.resize(control.pictureSize());
    QImage target(control.size(), QImage::Format_RGB32);
    const QString text = control.GetText();

    std::vector<double> ns;
    for (int round = 0; round < 5; ++round) {
        for (QChar c : text) {
            QElapsedTimer t;
            t.start();
            control.Show(QString(c));
            control.render(&target);
            ns.push_back(double(t.nsecsElapsed()));
        }
    }
    std::sort(ns.begin(), ns.end());
    std::printf("Show + paint, big size: median %.3f ms, 95th percentile %.3f ms (%zu shows)\n",
                ns[ns.size() / 2] / 1e6, ns[ns.size() * 95 / 100] / 1e6, ns.size());
    const qsizetype texts =
        stringResource(390).toUtf8().size() + stringResource(391).toUtf8().size() + stringResource(392).toUtf8().size();
    std::printf("resource 103: %lld bytes for %lld pictures (%.0f per picture); 390-392: %lld bytes\n",
                qlonglong(binaryResource(103).size()), qlonglong(text.size()),
                double(binaryResource(103).size()) / double(text.size()), qlonglong(texts));

    if (argc > 1) {
        const QString folder = QString::fromLocal8Bit(argv[1]);
        const QString shown = argc > 2 ? QString::fromLocal8Bit(argv[2]) : text.left(30);
        sheet(control, shown).save(folder + QStringLiteral("/split-big.png"));
        control.setShowBigPic(false);
        control.resize(control.pictureSize());
        sheet(control, shown).save(folder + QStringLiteral("/split-small.png"));
    }
    return 0;
}
