#pragma once

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace tesmara {

// What the build programs that draw pictures share: fonts but no screen,
// `inputs` input files and then one output folder on the command line, files
// written into it under their program names (relative paths; folders are
// made on the way).
class DrawingProgram {
public:
    DrawingProgram(const char* name, int& argc, char** argv, int inputs = 0) : m_name(name)
    {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        m_app = std::make_unique<QGuiApplication>(argc, argv);
        m_ok = argc == 2 + inputs;
        if (m_ok) {
            for (int i = 0; i < inputs; ++i) {
                m_inputs << QString::fromLocal8Bit(argv[1 + i]);
            }
            m_out = QDir(QString::fromLocal8Bit(argv[1 + inputs]));
        } else {
            std::fprintf(stderr, "usage: %s %s<output folder>\n", name, inputs ? "<input files> " : "");
        }
    }

    // False when the command line named no output folder.
    bool ok() const { return m_ok; }

    // Input file i, as named on the command line.
    QString input(int i) const { return m_inputs.value(i); }

    bool save(const QString& name, const QImage& image) const
    {
        const QString path = m_out.filePath(name);
        return made(path, m_out.mkpath(QFileInfo(path).path()) && image.save(path, "PNG"));
    }

    bool save(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_out.filePath(name);
        QSaveFile file(path);
        return made(path, m_out.mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
                              file.write(bytes) == bytes.size() && file.commit());
    }

private:
    bool made(const QString& path, bool ok) const
    {
        if (!ok) {
            std::fprintf(stderr, "%s: cannot write %s\n", m_name, qPrintable(path));
        }
        return ok;
    }

    const char* m_name;
    std::unique_ptr<QGuiApplication> m_app;
    QStringList m_inputs;
    QDir m_out;
    bool m_ok = false;
};

} // namespace tesmara
