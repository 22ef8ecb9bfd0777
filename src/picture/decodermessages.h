#pragma once

#include <QStringList>

namespace pelmora {

// What the image decoders say while this thread decodes a photo: libjpeg's warnings about
// damaged data, libpng's, libheif's, all of which reach Qt's log through its image-IO
// categories ("qt.gui.imageio*"). While an object of this class lives, those messages of the
// thread that made it are collected here instead of going to the log, so the photo's outcome is
// said once, in the program's own words; so are the warnings without a category that Qt's
// plugins give meanwhile. Other threads and other categories log as before.
// Collecting keeps those categories' warnings enabled whatever the logging rules say.
class DecoderMessages {
public:
    DecoderMessages();
    ~DecoderMessages();
    DecoderMessages(const DecoderMessages &) = delete;
    DecoderMessages &operator=(const DecoderMessages &) = delete;

    const QStringList &messages() const { return m_messages; }

    // Whether libjpeg met damaged picture data: the file ends early, or its coded data is
    // corrupt. The picture then decodes partly (the rest grey). Only libjpeg's first warning of
    // a decode reaches the log, so a harmless first warning can hide later damage.
    bool jpegDataDamaged() const;

    // Whether the calling thread is inside the life of a DecoderMessages object.
    static bool collectingOnThisThread();

private:
    friend struct DecoderMessagesSink;
    QStringList m_messages;
    DecoderMessages *m_outer; // the one this thread collected into before, if any
};

// libtiff prints its errors and warnings on standard error unless it is given handlers, which
// Qt's TIFF reader does not give it. Once that reader has loaded libtiff (a TIFF is being read),
// this hands them libtiff's messages, which then reach Qt's log in the image-IO category
// "qt.gui.imageio.libtiff" on the thread that reads, as the other decoders' do, where a
// DecoderMessages collects them. Nothing happens when libtiff is not loaded; done once.
void routeLibtiffMessages();

} // namespace pelmora
