#include "decodermessages.h"

#include <QHash>
#include <QLoggingCategory>
#include <QMutex>
#include <QRegularExpression>
#include <cstdarg>
#include <cstdio>
#include <dlfcn.h>
#include <mutex>

namespace pelmora {

// Lets the message handler reach a collector's list.
struct DecoderMessagesSink {
    static void append(DecoderMessages &to, const QString &message) {
        to.m_messages.append(message);
    }
};

namespace {

thread_local DecoderMessages *collecting = nullptr;

QtMessageHandler previousHandler = nullptr;
QLoggingCategory::CategoryFilter previousFilter = nullptr;

// Whether the logging rules had the image-IO categories' warnings on, by category: a message
// that comes while nobody collects goes to the log only then.
QMutex wantedMutex;
QHash<const QLoggingCategory *, bool> &wantedWarnings() {
    static QHash<const QLoggingCategory *, bool> wanted;
    return wanted;
}

bool isImageIoCategory(const char *name) {
    return name && qstrncmp(name, "qt.gui.imageio", 14) == 0;
}

void keepImageIoWarnings(QLoggingCategory *category) {
    if (previousFilter)
        previousFilter(category);
    if (!isImageIoCategory(category->categoryName()))
        return;
    {
        const QMutexLocker lock(&wantedMutex);
        wantedWarnings().insert(category, category->isWarningEnabled());
    }
    category->setEnabled(QtWarningMsg, true);
}

bool warningsWanted(const char *categoryName) {
    const QMutexLocker lock(&wantedMutex);
    for (auto it = wantedWarnings().cbegin(); it != wantedWarnings().cend(); ++it) {
        if (qstrcmp(it.key()->categoryName(), categoryName) == 0)
            return it.value();
    }
    return true;
}

void installOnce() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        previousFilter = QLoggingCategory::installFilter(keepImageIoWarnings);
        previousHandler = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
                // Qt's plugins also warn without a category while they decode: QBuffer's
                // "seek: Invalid pos" for a TIFF cut short, say.
                const bool uncategorised =
                    type == QtWarningMsg && qstrcmp(context.category, "default") == 0;
                if (collecting && uncategorised) {
                    DecoderMessagesSink::append(*collecting, message);
                    return;
                }
                if (isImageIoCategory(context.category)) {
                    if (collecting) {
                        DecoderMessagesSink::append(*collecting, message);
                        return;
                    }
                    if (type == QtWarningMsg && !warningsWanted(context.category))
                        return;
                }
                if (previousHandler)
                    previousHandler(type, context, message);
            });
    });
}

Q_LOGGING_CATEGORY(libtiffLog, "qt.gui.imageio.libtiff")

void libtiffSays(const char *module, const char *format, va_list arguments) {
    char text[1024];
    std::vsnprintf(text, sizeof text, format, arguments);
    if (module && *module)
        qCWarning(libtiffLog, "%s: %s", module, text);
    else
        qCWarning(libtiffLog, "%s", text);
}

} // namespace

void routeLibtiffMessages() {
    static std::once_flag routed;
    // The soname of libtiff 4.5 and later; an older one keeps printing as it did.
    void *library = ::dlopen("libtiff.so.6", RTLD_LAZY | RTLD_LOCAL | RTLD_NOLOAD);
    if (!library)
        return;
    std::call_once(routed, [library] {
        using Handler = void (*)(const char *, const char *, va_list);
        using SetHandler = Handler (*)(Handler);
        for (const char *name : {"TIFFSetErrorHandler", "TIFFSetWarningHandler"}) {
            if (const auto set = reinterpret_cast<SetHandler>(::dlsym(library, name)))
                set(libtiffSays);
        }
    });
    ::dlclose(library); // only the count that RTLD_NOLOAD added
}

DecoderMessages::DecoderMessages()
    : m_outer(collecting) {
    installOnce();
    collecting = this;
}

DecoderMessages::~DecoderMessages() {
    collecting = m_outer;
}

bool DecoderMessages::collectingOnThisThread() {
    return collecting != nullptr;
}

bool DecoderMessages::jpegDataDamaged() const {
    // libjpeg's warnings (jerror.h) for picture data it could not decode: a file that ends
    // early, corrupt coded data. Stray bytes before a marker count only before a restart marker
    // or the end of the picture, inside the coded data; between two segments they are skipped
    // and the picture is whole. A bad ICC segment leaves the picture whole too.
    static const QRegularExpression strayBytes(
        QStringLiteral("^Corrupt JPEG data: \\d+ extraneous bytes before marker 0x([0-9a-f]{2})"));
    for (const QString &message : m_messages) {
        if (message.startsWith(u"Premature end of JPEG file") ||
            message.startsWith(u"Invalid SOS parameters for sequential JPEG") ||
            message.startsWith(u"Inconsistent progression sequence"))
            return true;
        if (!message.startsWith(u"Corrupt JPEG data") || message.contains(u"ICC"))
            continue;
        const QRegularExpressionMatch stray = strayBytes.match(message);
        if (!stray.hasMatch())
            return true;
        const int marker = stray.captured(1).toInt(nullptr, 16);
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0xD9)
            return true;
    }
    return false;
}

} // namespace pelmora
