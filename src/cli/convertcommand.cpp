#include "convertcommand.h"

#include "batch/batchrunner.h"
#include "cli/conversionline.h"
#include "cli/convertoptions.h"
#include "cli/dryrun.h"
#include "cli/progressbar.h"
#include "picture/imagelimits.h"

#include <QTextStream>
#include <atomic>
#include <csignal>
#include <cstdio>

namespace pelmora {

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int) {
    interrupted.store(true);
}

// Ctrl-C, a closed terminal or a polite kill: stop after the photos in flight, and report.
class StopOnSignals {
public:
    StopOnSignals() {
        interrupted.store(false);
        for (int signal : kSignals)
            std::signal(signal, onInterrupt);
    }
    ~StopOnSignals() {
        for (int signal : kSignals)
            std::signal(signal, SIG_DFL);
    }
    StopOnSignals(const StopOnSignals &) = delete;
    StopOnSignals &operator=(const StopOnSignals &) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
};

// The photos refused for their size, as their headers show, one line each before the batch
// starts; the batch fails them without a word more.
void tellRefusals(BatchRequest &request, QTextStream &err) {
    request.sizeRefusals = photosRefusedForSize(request);
    for (const SizeRefusal &refusal : *request.sizeRefusals)
        err << request.entries[refusal.index].path() << ": " << refusal.reason << '\n';
    err.flush();
}

BatchResult convert(const BatchRequest &request, ProgressBar &bar) {
    if (request.entries.isEmpty()) { // every folder given was empty: nothing to start
        BatchResult nothing;
        nothing.finalNumber = request.pattern.number;
        return nothing;
    }
    const StopOnSignals stop;
    bar.show(0, request.entries.size());
    BatchResult batch = runBatch(
        request,
        [&bar](const BatchProgress &progress) { bar.show(progress.index + 1, progress.count); },
        &interrupted);
    bar.finish();
    return batch;
}

} // namespace

int runConvertCommand(const CommandArguments &arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);

    const ConvertOptions options = readConvertOptions(arguments);
    if (options.help) {
        out << convertCommandHelp();
        return 0;
    }
    if (!options.usageError.isEmpty()) {
        err << "pelmora convert: " << options.usageError << '\n'
            << "Try 'pelmora --help' for the options.\n";
        return 2;
    }
    if (options.request.dryRun)
        return runDryRun(options, out, err);
    const bool quiet = options.talk == Talk::Quiet;

    BatchRequest request = options.request;
    tellRefusals(request, err);
    ProgressBar bar(err, !quiet);
    const BatchResult batch = convert(request, bar);

    const qsizetype count = options.request.entries.size();
    const qsizetype notRead = options.notRead.size();
    if (!batch.started()) {
        err << "pelmora convert: " << batch.fatalError << "; no photo was touched\n";
        err.flush();
        if (!quiet)
            out << "converted 0, failed " << count + notRead << ", next number "
                << batch.finalNumber << '\n';
        return 1;
    }

    for (const NotRead &unread : options.notRead)
        err << unread.path << ": " << unread.reason << '\n';
    for (const BatchEntryResult &entry : batch.entries) {
        const ConversionResult &result = entry.result;
        // A photo refused for its size was said before the batch started.
        if (!result.refusedForSize && (result.status == ConversionStatus::Failed ||
                                       result.status == ConversionStatus::MissingTargetName))
            err << entry.entry.path() << ": " << result.reason << '\n';
        if (result.converted() && options.talk == Talk::Verbose)
            out << conversionLine(entry.entry.path(), result.finalPath) << '\n';
        if (quiet)
            continue;
        for (const Warning &warning : result.warnings) {
            err << entry.entry.path() << ": warning: " << warning.text;
            if (!warning.detail.isEmpty())
                err << ": " << warning.detail;
            err << '\n';
        }
    }
    const qsizetype notStarted = batch.notStartedCount();
    if (notStarted > 0)
        err << "interrupted: " << notStarted << " photos were left untouched\n";
    err.flush();

    if (!quiet)
        out << "converted " << batch.convertedCount() << ", failed "
            << batch.failedCount() + notStarted + notRead << ", next number " << batch.finalNumber
            << '\n';
    return batch.convertedCount() == count && notRead == 0 ? 0 : 1;
}

QString convertCommandHelp() {
    const QString help = QStringLiteral(
        "pelmora convert [OPTIONS] FILE...\n"
        "  Converts the photos in the order given, as the window's batch conversion does: each\n"
        "  photo (or its copy in the output folder) is renamed to TITLE + NUMBER + extension,\n"
        "  the number advancing for each photo, and with --resize rewritten as a scaled picture\n"
        "  in the format its new name's extension says: jpg, jpeg, jpe, jfif: JPEG; webp: WebP;\n"
        "  avif: AVIF; heic, heif: HEIC; png: PNG (lossless); tif, tiff: TIFF; bmp: BMP. Any\n"
        "  other extension, or none, gives JPEG, but one of a picture format that is not written\n"
        "  (gif, jxl, jp2, a camera's RAW, ...) fails the photo. WebP, AVIF, HEIC, PNG and TIFF\n"
        "  keep transparency and, like JPEG, the metadata; BMP carries none. Renamed and copied\n"
        "  photos are never re-encoded.\n"
        "  A new name that is taken fails that photo; nothing is ever written over another file\n"
        "  but the photo itself (--in-place) or, with --no-rename, a file of its name in DIR.\n"
        "  Options are written with two dashes; every argument after \"--\" is a photo.\n"
        "  A FILE that is a folder stands for the pictures directly inside it, in the order\n"
        "  the window's list puts a drop of them (by name, letter case aside); a picture is a\n"
        "  file whose header shows a JPEG, PNG, GIF, BMP, WebP, TIFF or HEIF (HEIC, AVIF)\n"
        "  picture or a camera's RAW file, whatever its name; hidden files are left out. A\n"
        "  picture there that cannot be opened (its name is no valid UTF-8, say), and a folder\n"
        "  that cannot be read, fail as a photo does. RAW files (DNG, NEF, CR2, ...) are\n"
        "  renamed and copied as they are, never resized.\n"
        "\n"
        "  --title TEXT      title of the new names (default \"Untitled\")\n"
        "  --number TEXT     running number of the first photo (default \"01\")\n"
        "  --ext TEXT        extension of the new names, without the dot (default: the photo's\n"
        "                    own extension; \"JPG\" with --resize); with --resize it chooses\n"
        "                    the format (see above)\n"
        "  --no-rename       keep the photos' own names; the number does not advance\n"
        "  --resize PX       resize so that the longer side is PX pixels, at most\n"
        "                    %1; a photo that would come out larger than %2 megapixels is\n"
        "                    refused\n"
        "  --quality Q       quality from 1 to 10 (default 5): JPEG at ten times Q percent, WebP,\n"
        "                    AVIF and HEIC at the setting that looks the same, fewer bytes\n"
        "  --signature TEXT  text stamped into the lower right corner of resized photos\n"
        "  --font FACE       font face of the signature\n"
        "  --point SIZE      point size of the signature (default 8)\n"
        "  --color #RRGGBB   colour of the signature (default #000000)\n"
        "  --keep-location   resized photos keep every coordinate of the originals: the EXIF\n"
        "                    GPS data and any XMP latitude, longitude or altitude (by default\n"
        "                    they carry the date, camera, exposure, caption, keywords and place\n"
        "                    names, but not where the photo was taken)\n"
        "  --strip-metadata  resized photos carry no EXIF, IPTC or XMP (the colour profile\n"
        "                    stays); renamed and copied photos always keep every byte\n"
        "  --out DIR         write converted copies into DIR (created when missing); the\n"
        "                    originals are not touched\n"
        "  --in-place        rename and resize the original photos themselves (without --out\n"
        "                    or --in-place the command refuses to run)\n"
        "  --recursive       a folder also stands for the pictures of the folders inside it,\n"
        "                    after its own, each folder in the same order (hidden folders,\n"
        "                    symbolic links to folders and the --out folder are not entered)\n"
        "  --verbose         also print \"OLD \u2192 NEW\" on standard output for each photo\n"
        "                    converted: its path and the path of the file it became\n"
        "  --quiet           print only the photos that failed: no progress bar, no warnings,\n"
        "                    no summary line (the exit status tells how it went)\n"
        "  --dry-run         change nothing: print for each photo, in order, what the\n"
        "                    conversion would do (\"OLD \u2192 NEW\", the format a resized photo "
        "is\n"
        "                    written as, what would go to the trash)\n"
        "                    or why it would fail, then \"would convert N, fail M, next number\n"
        "                    K\" (whether a picture's data decodes shows only when converted)\n"
        "\n"
        "  Shows a progress bar on standard error when it is a terminal, one line per photo\n"
        "  that failed or was converted with a warning (and per folder that holds no picture or\n"
        "  cannot be read),\n"
        "  and last \"converted N, failed M, next number K\" on standard output.\n"
        "  Ctrl-C (or SIGTERM, SIGHUP: a closed terminal) stops after the photos in progress;\n"
        "  the rest are left untouched. A file that a conversion replaces or removes (a photo\n"
        "  converted --in-place, a same-name file in DIR) goes to the desktop's trash first,\n"
        "  and `pelmora undo` takes the last conversion back.\n"
        "  Exit status: 0 all converted, 1 some photos failed, 2 usage error.\n");
    return help.arg(kLargestLongerSide).arg(kMaxOutputPixels / 1'000'000);
}

} // namespace pelmora
