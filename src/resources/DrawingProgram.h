#pragma once

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <memory>

namespace tesmara {

// What the build programs that draw pictures share: fonts but no screen,
// one output folder on the command line, PNG files written into it under
// their program names (relative paths; folders are made on the way).
class DrawingProgram {
public:
    DrawingProgram(const char* name, int& argc, char** argv) : m_name(name)
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        m_app = std::make_unique<QGuiApplication>(argc, argv);
        m_ok = argc == 2;
        if (m_ok) {
            m_out = QDir(QString::fromLocal8Bit(argv[1]));
        } else {
            std::fprintf(stderr, "usage: %s <output folder>\n", name);
        }
    }

    // False when the command line named no output folder.
    bool ok() const { return m_ok; }

    bool save(const QString& name, const QImage& image) const
    {
        const QString path = m_out.filePath(name);
        if (!m_out.mkpath(QFileInfo(path).path()) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", m_name, qPrintable(path));
            return false;
        }
        return true;
    }

private:
    const char* m_name;
    std::unique_ptr<QGuiApplication> m_app;
    QDir m_out;
    bool m_ok = false;
};

} // namespace tesmara
