// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewProfile.h"

#include "preview/PreviewProxy.h"

#include <QCoreApplication>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace {

// The engine reads these switches when it starts, which is when the first profile is made.
// - Peer connections (WebRTC) reach STUN and TURN servers past every request filter. With their
//   UDP off they connect through the engine's proxy, which is ours and lets through only what the
//   filter approved; loopback goes through it too.
// - The engine resolves no name by itself: a name looked up is a message to whoever answers for
//   its domain, before any request reaches a filter or the proxy. Every name maps to nothing but
//   the proxy's own address; the proxy resolves the names the user went to.
// - A page's script heap is capped well below the machine's memory.
void configureEngine()
{
    static bool configured = false;
    if (configured)
        return;
    configured = true;
    const PreviewProxy *proxy = PreviewProxy::shared();
    // Without our proxy, a port where nothing listens: nothing leaves rather than everything.
    const quint16 port = proxy ? proxy->port() : 1;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    flags += " --proxy-server=http://127.0.0.1:" + QByteArray::number(port) +
             " --proxy-bypass-list=<-loopback> --force-webrtc-ip-handling-policy=disable_non_proxied_udp"
             " \"--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1\""
             " --js-flags=--max-old-space-size=" +
             QByteArray::number(PreviewProfile::scriptHeapMb);
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

} // namespace

QWebEngineProfile *PreviewProfile::create()
{
    configureEngine();
    // A profile without a storage name is off the record. The application owns it in the end,
    // so that it outlives every page made in it.
    auto *profile = new QWebEngineProfile(QCoreApplication::instance());
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile->setSpellCheckEnabled(false);

    QWebEngineSettings *settings = profile->settings();
    // Pages come from LocalAddress, served by our proxy, and are opaque origins. The engine's
    // switches for "file:" pages count all local files as one origin: off. Remote addresses are
    // left to each page's PreviewRequestFilter, request by request (the switch is all or nothing).
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    settings->setAttribute(QWebEngineSettings::AllowWindowActivationFromJavaScript, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    settings->setAttribute(QWebEngineSettings::HyperlinkAuditingEnabled, false);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    settings->setAttribute(QWebEngineSettings::TouchIconsEnabled, false);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    settings->setAttribute(QWebEngineSettings::AllowGeolocationOnInsecureOrigins, false);
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, true);
    settings->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    // A refresh while the user types must leave the focus in the editor.
    settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);

    // A peer connection reaches its STUN and TURN servers past every request filter, and a TURN
    // user name could carry anything: the constructors are gone before any page script runs, in
    // every frame, so no realm of the page can build one.
    QWebEngineScript noPeerConnections;
    noPeerConnections.setName(QStringLiteral("no-peer-connections"));
    noPeerConnections.setInjectionPoint(QWebEngineScript::DocumentCreation);
    noPeerConnections.setWorldId(QWebEngineScript::MainWorld);
    noPeerConnections.setRunsOnSubFrames(true);
    noPeerConnections.setSourceCode(QStringLiteral("delete window.RTCPeerConnection; delete window.webkitRTCPeerConnection;"));
    profile->scripts()->insert(noPeerConnections);
    return profile;
}
