// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/PreviewProfile.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

QWebEngineProfile *PreviewProfile::shared()
{
    static QPointer<QWebEngineProfile> profile;
    if (profile)
        return profile;
    // A profile without a storage name is off the record.
    profile = new QWebEngineProfile(QCoreApplication::instance());
    profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile->setSpellCheckEnabled(false);

    QWebEngineSettings *settings = profile->settings();
    // The engine's own switches for local pages are all or nothing: off, a page shows neither
    // its local images nor a style sheet from a CDN. Each page's PreviewRequestFilter decides
    // instead, request by request.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
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
