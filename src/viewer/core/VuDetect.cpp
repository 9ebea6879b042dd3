#include "viewer/core/VuDetect.h"

#include <sys/stat.h>

#include "text/core/VuStream.h"
#include "text/core/VuxFileTests.h"
#include "viewer/core/VuExtLists.h"

namespace {

bool Allowed(const TVuDetectSettings& s, TVuViewerMode m)
{
    return !s.ModesDisabledForDetect.Contains(m);
}

bool ProbePlugins(TVuPluginProbe* probe, const std::string& fileName)
{
    return probe != nullptr && probe->OpenMatched(fileName);
}

}  // namespace

bool DetectText(const std::string& fileName, const TVuDetectSettings& settings, TVuDetectResult& result)
{
    // A FIFO or socket would block the open (or eat its data); only what
    // can be read again from the start is tested.
    struct stat st{};
    if (::stat(fileName.c_str(), &st) != 0 || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))
        return false;
    auto stream = TVuFileStream::Open(fileName);
    if (!stream)
        return false;

    if (Allowed(settings, vmodeUnicode) && HasUtf16Bom(*stream)) {
        result.Mode = vmodeUnicode;
        return true;
    }
    if (Allowed(settings, vmodeRTF) && HasUtf8Bom(*stream)) {
        result.Mode = vmodeRTF;
        return true;
    }
    if (!Allowed(settings, vmodeText))
        return false;
    if (settings.TextDetectLimit != 0 &&
        stream->Size() > static_cast<int64_t>(settings.TextDetectLimit) * 1024)
        return false;

    bool isOEM = false;
    bool isUtf8 = false;
    if (!IsFileText(*stream, settings.TextDetectSize, settings.TextDetectOEM, isOEM, isUtf8))
        return false;
    result.Mode = vmodeText;
    // UTF-8 first: the lead bytes of Cyrillic UTF-8 (D0, D1) lie in the
    // range the OEM rule counts as DOS pseudo-graphics, and text valid as
    // UTF-8 by chance in a single-byte code page is rare.
    if (settings.TextDetectOEM)
        result.Encoding = isUtf8 ? vEncUTF8 : isOEM ? vEncOEM : vEncANSI;
    return true;
}

void DetectMode(const std::string& fileName, const TVuDetectSettings& settings, TVuPluginProbe* probe,
                TVuDetectResult& result)
{
    if (settings.TextDetectOEM)
        result.Encoding = vEncANSI;

    const bool pluginsAllowed = Allowed(settings, vmodeWLX);
    if (pluginsAllowed && settings.PluginsFirst && ProbePlugins(probe, fileName)) {
        result.Mode = vmodeWLX;
        return;
    }
    if (Allowed(settings, vmodeRTF) && ExtensionInList(fileName, ExtRtfList)) {
        result.Mode = vmodeRTF;
        return;
    }
    if (Allowed(settings, vmodeText) && ExtensionInList(fileName, ExtTextList)) {
        result.Mode = vmodeText;
        return;
    }
    if (Allowed(settings, vmodeMedia) && ExtInTwoLists(fileName, ExtImagesList, ExtMediaList)) {
        result.Mode = vmodeMedia;
        return;
    }
    if (Allowed(settings, vmodeWeb) && ExtensionInList(fileName, ExtWebList)) {
        result.Mode = vmodeWeb;
        return;
    }
    if (settings.TextDetect && DetectText(fileName, settings, result))
        return;
    if (pluginsAllowed && !settings.PluginsFirst && ProbePlugins(probe, fileName)) {
        result.Mode = vmodeWLX;
        return;
    }
    result.Mode = settings.ModeUndetected;
}
