#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One file of the header reader's tests and what the reader should make of it.
struct HeaderCase {
    QString name;    // the file's name in the test's folder
    bool recognised; // ReadImageSize gives a header
    int width = 0;
    int height = 0;
    QString format;
    bool decodable = false; // Qt can read its size too: cross-checked with QImageReader
    QString skip;           // why the file could not be made, if it could not
};

// Writes every test file into a folder and lists what each should read as.
class HeaderCases {
public:
    explicit HeaderCases(const QString &folder);
    void make();
    const QList<HeaderCase> &cases() const { return m_cases; }

private:
    QString path(const QString &name) const { return m_folder + u'/' + name; }
    void add(const QString &name, const QByteArray &bytes, bool recognised, int width = 0,
             int height = 0, const QString &format = {}, bool decodable = false);
    void sized(const QString &name, const QByteArray &bytes, int width, int height,
               const QString &format, bool decodable = false) {
        add(name, bytes, true, width, height, format, decodable);
    }
    void unread(const QString &name, const QByteArray &bytes) { add(name, bytes, true); }
    void skipped(const QString &name, const QString &why) {
        m_cases << HeaderCase{name, false, 0, 0, {}, false, why};
    }
    // Files made by a program: the case is kept only when the program ran.
    bool tool(const QString &name, const QString &program, const QStringList &arguments);
    void makeQtFiles();
    void makeSplicedJpegs();
    void makeToolFiles();
    void makeHeifFiles();
    void makeHandWrittenFiles();
    void makeNonPictures();

    QString m_folder;
    QList<HeaderCase> m_cases;
    QByteArray m_jpeg; // a 640 x 480 JPEG written by Qt
};
