// iksa-cli protocol and protocol-png: record N evaluated as "Preview" does,
// its three protocol pages written as a vector PDF or as PNG images, and
// Table3 stored.
#include "CliSupport.h"
#include "evaluation/EvaluationOptions.h"
#include "evaluation/EvaluationPage.h"
#include "evaluation/EvaluationRun.h"
#include "norms/CompiledNorms.h"
#include "preview/PageSurface.h"
#include "records/DataModule.h"
#include "records/ExamineeRecord.h"
#include "records/PrivateFiles.h"
#include "records/UserError.h"
#include "report/ProtocolPrinting.h"
#include "report/ReportComposer.h"
#include "report/ReportPictures.h"

#include <QImage>
#include <QSaveFile>
#include <functional>

namespace iksa::cli {

namespace {

// The options of the evaluation page, from --basis, --level, --no-mean.
// Returns false on a bad option.
bool applyOptions(QStringList& args, EvaluationOptions& options, int* dpi) {
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QStringLiteral("--no-mean")) {
            options.setShowMean(false);
        } else if (arg == QStringLiteral("--basis") && hasValue) {
            const std::optional<int> basis = meanBasisArgument(args[++i]);
            if (!basis)
                return false;
            options.RadioGroup2Click(*basis);
        } else if (arg == QStringLiteral("--level") && hasValue) {
            const std::optional<int> levelItem = levelItemArgument(args[++i]);
            if (!levelItem)
                return false;
            options.RadioGroup1Click(*levelItem);
        } else if (arg == QStringLiteral("--dpi") && hasValue && dpi) {
            bool ok = false;
            *dpi = args[++i].toInt(&ok);
            if (!ok || *dpi < 10 || *dpi > 600)
                return false;
        } else if (arg.startsWith(QStringLiteral("--"))) {
            return false;
        } else {
            rest.append(arg);
        }
    }
    args = rest;
    return true;
}

// Evaluates record `number` of DIR as "Preview" does, composes the protocol
// into a recording surface and stores Table3; then hands the surface to
// `write` when the protocol is complete. The messages of the evaluation and
// the report go to stderr. Returns the exit code: 1 when the protocol could
// not be completed (the reason is on stderr by then) and nothing is written.
int composeProtocol(const QString& dirPath, const QString& number, const EvaluationOptions& options,
                    const std::function<void(const PageSurface&)>& write) {
    OpenRecords open(dirPath, DataModule::Access::ReadWrite);
    StderrMessages& messages = open.messages;
    ExamineeRecord& record = open.record;
    record.moveTo(recordNumber(number, record));

    EvaluationPage page;
    EvaluationRun(record, options, page, messages).Button2Click();

    PageSurface surface;
    ReportComposer composer(
        surface, {record, options, page, messages, compiledNormSet(), reportLogo(), reportCurve()});
    if (!Tisk_IKSA(composer, record, messages)) {
        err() << "Protokol není úplný, výstup nebyl zapsán." << Qt::endl;
        return 1;
    }
    write(surface);
    return 0;
}

// Writes `image` as PNG into `path` at once or not at all, as a private file
// (or with the mode of the file it replaces).
void savePng(const QImage& image, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !takeOverAttributes(file, path) ||
        !image.save(&file, "PNG") || !file.commit())
        throw UserError(QStringLiteral("Soubor „%1“ nelze zapsat.").arg(path));
}

int runProtocol(const QStringList& args) {
    QStringList positional = args;
    EvaluationOptions options;
    if (!applyOptions(positional, options, nullptr) || positional.size() != 3)
        return usageError(QStringLiteral("protocol"));
    const QString pdf = positional[2];
    return composeProtocol(positional[0], positional[1], options,
                           [&](const PageSurface& surface) { surface.writePdf(pdf); });
}

int runProtocolPng(const QStringList& args) {
    QStringList positional = args;
    EvaluationOptions options;
    int dpi = 100;
    if (!applyOptions(positional, options, &dpi) || positional.size() != 3)
        return usageError(QStringLiteral("protocol-png"));
    const QString prefix = positional[2];
    return composeProtocol(positional[0], positional[1], options, [&](const PageSurface& surface) {
        for (int i = 0; i < surface.pageCount(); ++i) {
            const QString path = QStringLiteral("%1-%2.png").arg(prefix).arg(i + 1);
            savePng(surface.renderPage(i, dpi), path);
            out() << path << '\n';
        }
    });
}

const CommandRegistration registrations[] = {
    CommandRegistration({QStringLiteral("protocol"),
                         QStringLiteral("protocol ADRESÁŘ N VÝSTUP.pdf [--basis 0-5] "
                                        "[--level 0.05|0.15] [--no-mean]"),
                         runProtocol, true}),
    CommandRegistration({QStringLiteral("protocol-png"),
                         QStringLiteral("protocol-png ADRESÁŘ N PŘEDPONA [--basis 0-5] "
                                        "[--level 0.05|0.15] [--no-mean] [--dpi 100]"),
                         runProtocolPng, true}),
};

} // namespace

} // namespace iksa::cli
