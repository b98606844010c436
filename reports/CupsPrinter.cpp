#include "reports/CupsPrinter.h"

#include <QLocale>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>

#include <cups/cups.h>
#include <cups/pwg.h>

#include <algorithm>
#include <memory>

namespace {

struct DestFree {
    void operator()(cups_dest_t *dest) const { cupsFreeDests(1, dest); }
};
struct InfoFree {
    void operator()(cups_dinfo_t *info) const { cupsFreeDestInfo(info); }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestFree>;
using InfoPtr = std::unique_ptr<cups_dinfo_t, InfoFree>;

QString option(const cups_dest_t &dest, const char *name)
{
    return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

QString lastError() { return QString::fromUtf8(cupsLastErrorString()); }

bool serviceDown(ipp_status_t status) { return status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE; }

// Whether the print service answers at all: libcups reports a missing default printer and an
// unreachable service alike when asked for the default destination.
bool serviceReachable()
{
    constexpr int timeoutMs = 5000;
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                timeoutMs, nullptr);
    if (http == nullptr)
        return false;
    httpClose(http);
    return true;
}

// The names of every printer and class the scheduler has, whichever is the default.
QStringList installedPrinters()
{
    ipp_t *request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-name");
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QStringList names;
    for (ipp_attribute_t *name = ippFindAttribute(response, "printer-name", IPP_TAG_NAME);
         name != nullptr; name = ippFindNextAttribute(response, "printer-name", IPP_TAG_NAME))
        names.append(QString::fromUtf8(ippGetString(name, 0, nullptr)));
    ippDelete(response);
    names.sort();
    return names;
}

DestPtr namedDest(const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    return DestPtr(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : utf8.constData(), nullptr));
}

// The destination's default paper: from its capabilities, else from its "media" option.
QPageLayout pageOf(cups_dest_t *dest)
{
    const InfoPtr info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest));
    cups_size_t size{};
    if (info && cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, dest, info.get(), 0, &size) &&
        size.width > 0 && size.length > 0)
        return CupsPrinter::pageLayoutFor(size.width, size.length, size.left, size.top, size.right,
                                          size.bottom);
    const QByteArray media = option(*dest, "media").toUtf8();
    if (!media.isEmpty()) {
        const pwg_media_t *pwg = pwgMediaForPWG(media.constData());
        if (!pwg)
            pwg = pwgMediaForLegacy(media.constData());
        if (pwg && pwg->width > 0 && pwg->length > 0)
            return CupsPrinter::pageLayoutFor(pwg->width, pwg->length, 0, 0, 0, 0);
    }
    return CupsPrinter::localeDefaultPage();
}

CupsPrinter::Status stateOf(const cups_dest_t &dest)
{
    if (option(dest, "printer-state") == QLatin1String("5"))
        return CupsPrinter::Status::Stopped;
    if (option(dest, "printer-is-accepting-jobs") == QLatin1String("false"))
        return CupsPrinter::Status::Rejecting;
    return CupsPrinter::Status::Ready;
}

} // namespace

CupsPrinter::Destination CupsPrinter::defaultDestination()
{
    Destination result;
    const DestPtr dest = namedDest(QString());
    if (!dest) {
        const bool down = serviceDown(cupsLastError()) || !serviceReachable();
        result.detail = lastError();
        result.status = down ? Status::ServiceUnavailable : Status::NoPrinter;
        // Only the default is ever printed on, but "no printer" must not be said of a machine
        // that has printers without a default.
        if (!down)
            result.installed = installedPrinters();
        if (!result.installed.isEmpty())
            result.status = Status::NoDefault;
        return result;
    }
    result.name = QString::fromUtf8(dest->name);
    result.status = stateOf(*dest);
    result.pageLayout = pageOf(dest.get());
    return result;
}

CupsPrinter::Submission CupsPrinter::submit(const QString &printer, const QByteArray &pdf,
                                            const QString &title)
{
    Submission result;
    const auto fail = [&result]() {
        result.serviceUnavailable = serviceDown(cupsLastError());
        result.detail = lastError();
        return result;
    };
    const DestPtr dest = namedDest(printer);
    if (!dest)
        return fail();
    const InfoPtr info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
    const QByteArray titleUtf8 = title.toUtf8();
    int jobId = 0;
    if (cupsCreateDestJob(CUPS_HTTP_DEFAULT, dest.get(), info.get(), &jobId, titleUtf8.constData(),
                          0, nullptr) > IPP_STATUS_OK_CONFLICTING ||
        jobId <= 0)
        return fail();
    const bool sent = cupsStartDestDocument(CUPS_HTTP_DEFAULT, dest.get(), info.get(), jobId,
                                            titleUtf8.constData(), CUPS_FORMAT_PDF, 0, nullptr,
                                            1) == HTTP_STATUS_CONTINUE &&
                      cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.constData(),
                                           static_cast<size_t>(pdf.size())) == HTTP_STATUS_CONTINUE;
    const ipp_status_t finished = cupsFinishDestDocument(CUPS_HTTP_DEFAULT, dest.get(), info.get());
    if (!sent || finished > IPP_STATUS_OK_CONFLICTING) {
        Submission failed = fail();
        // A job that was created but never got its document would wait for ever; withdraw it.
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, dest.get(), jobId);
        return failed;
    }
    result.accepted = true;
    result.jobId = jobId;
    return result;
}

QStringList CupsPrinter::stateReasons(const QString &printer)
{
    const DestPtr dest = namedDest(printer);
    if (!dest)
        return {};
    return option(*dest, "printer-state-reasons").split(QLatin1Char(','), Qt::SkipEmptyParts);
}

QPageLayout CupsPrinter::pageLayoutFor(int width, int length, int left, int top, int right,
                                       int bottom)
{
    const auto mm = [](int hundredths) { return std::max(hundredths / 100.0, minimumMarginMm); };
    const QPageSize size(QSizeF(width / 100.0, length / 100.0), QPageSize::Millimeter);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(mm(left), mm(top), mm(right), mm(bottom)),
                       QPageLayout::Millimeter);
}

QPageLayout CupsPrinter::localeDefaultPage()
{
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    const QPageSize size(letter ? QPageSize::Letter : QPageSize::A4);
    const QSizeF mm = size.size(QPageSize::Millimeter);
    return pageLayoutFor(static_cast<int>(mm.width() * 100), static_cast<int>(mm.height() * 100), 0,
                         0, 0, 0);
}
