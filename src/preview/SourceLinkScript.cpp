// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/SourceLinkScript.h"

#include "previewui/SourceMarks.h"

namespace {

// In the page's isolated world: window.sourceLink.
//   outline(offset, name): outlines the element marked offset, scrolled into view if it is not
//     in sight; -1 takes the outline away. Returns the offset outlined, or -1.
//   offsetAt(x, y): the mark of the element at the view's point, or of the nearest element around
//     it that has one (elements the page's scripts made have none); -1 where there is none.
//   scrollToOffset(offset, end): scrolls so that offset of the source is at the top, placed
//     between the marked elements around it by its distance from each (end: the source's length).
//   offsetAtTop(): the other way round, the source offset at the view's top, or -1.
//   state(): what is outlined, for a look from outside.
const char *const source = R"JS(
(function () {
'use strict';
var ATTR = '%ATTR%';
var host = null, label = null, target = null, outlined = -1, order = null;

function offsetOf(e) {
    var v = e.getAttribute(ATTR);
    return v !== null && /^[0-9]{1,10}$/.test(v) ? Number(v) : -1;
}
function hasBox(e) { return e.isConnected && e.getClientRects().length > 0; }
function topOf(e) { return e.getBoundingClientRect().top + window.scrollY; }
function hide() { if (host) host.style.setProperty('display', 'none', 'important'); }
function place() {
    if (!host) return;
    if (!target || !hasBox(target)) { hide(); return; }
    var r = target.getBoundingClientRect(), s = host.style;
    s.setProperty('display', 'block', 'important');
    s.setProperty('left', (r.left - 2) + 'px', 'important');
    s.setProperty('top', (r.top - 2) + 'px', 'important');
    s.setProperty('width', (r.width + 4) + 'px', 'important');
    s.setProperty('height', (r.height + 4) + 'px', 'important');
    label.style.setProperty('top', r.top >= 18 ? '-18px' : '0');
}
function makeHost() {
    host = document.createElement('div');
    host.setAttribute('style', 'all: initial !important; position: fixed !important; display: none !important;' +
        ' box-sizing: border-box !important; border: 2px solid #1a73e8 !important; pointer-events: none !important;' +
        ' z-index: 2147483647 !important; margin: 0 !important; padding: 0 !important;');
    var root = host.attachShadow({mode: 'closed'});
    label = document.createElement('span');
    label.setAttribute('style', 'position: absolute; left: -2px; font: 11px/16px sans-serif; color: #fff;' +
        ' background: #1a73e8; padding: 0 4px; white-space: nowrap;');
    root.appendChild(label);
}
function entries() {
    if (order === null) {
        order = [];
        var all = document.querySelectorAll('[' + ATTR + ']');
        for (var i = 0; i < all.length; ++i) {
            var o = offsetOf(all[i]);
            if (o >= 0) order.push([o, all[i]]);
        }
        order.sort(function (a, b) { return a[0] - b[0]; });
    }
    return order;
}
function usable(entry) { return hasBox(entry[1]); }
// The first entry whose offset is above offset.
function after(l, offset) {
    var lo = 0, hi = l.length;
    while (lo < hi) {
        var mid = (lo + hi) >> 1;
        if (l[mid][0] <= offset) lo = mid + 1; else hi = mid;
    }
    return lo;
}
// The element marked offset: from the index, unless the page's scripts moved it since.
function find(offset) {
    var l = entries(), i = after(l, offset) - 1;
    if (i >= 0 && l[i][0] === offset && l[i][1].isConnected && offsetOf(l[i][1]) === offset) return l[i][1];
    return document.querySelector('[' + ATTR + '="' + offset + '"]');
}

window.addEventListener('scroll', place, {capture: true, passive: true});
window.addEventListener('resize', place, {passive: true});

window.sourceLink = {
    outline: function (offset, name) {
        target = offset >= 0 ? find(Number(offset)) : null;
        outlined = target ? offset : -1;
        if (!target) { hide(); return -1; }
        if (!host) makeHost();
        if (!host.isConnected && document.documentElement) document.documentElement.appendChild(host);
        label.textContent = String(name);
        if (hasBox(target)) {
            var r = target.getBoundingClientRect();
            if (r.bottom <= 0 || r.top >= window.innerHeight || r.right <= 0 || r.left >= window.innerWidth)
                target.scrollIntoView({block: 'center', inline: 'nearest'});
        }
        place();
        return outlined;
    },
    offsetAt: function (x, y) {
        for (var e = document.elementFromPoint(x, y); e; e = e.parentElement) {
            if (e === host) continue;
            var o = offsetOf(e);
            if (o >= 0) return o;
        }
        return -1;
    },
    scrollToOffset: function (offset, end) {
        var l = entries(), lo = after(l, offset);
        var a = lo - 1, b = lo;
        while (a >= 0 && !usable(l[a])) --a;
        while (b < l.length && !usable(l[b])) ++b;
        var oa = a >= 0 ? l[a][0] : 0, ya = a >= 0 ? topOf(l[a][1]) : 0;
        var ob = b < l.length ? l[b][0] : end;
        var yb = b < l.length ? topOf(l[b][1]) : document.documentElement.scrollHeight;
        var y = ob > oa ? ya + (Math.max(yb, ya) - ya) * (offset - oa) / (ob - oa) : ya;
        window.scrollTo(window.scrollX, y);
        return window.scrollY;
    },
    offsetAtTop: function () {
        var l = entries(), y = window.scrollY + 1, a = -1, b = -1, ya = 0, yb = 0;
        for (var i = 0; i < l.length; ++i) {
            if (!usable(l[i])) continue;
            var t = topOf(l[i][1]);
            if (t <= y) {
                if (a < 0 || t >= ya) { a = i; ya = t; }
            } else if (b < 0 || t < yb) {
                b = i; yb = t;
            }
        }
        if (a < 0) return b < 0 ? -1 : 0;
        if (b < 0 || l[b][0] <= l[a][0]) return l[a][0];
        return Math.round(l[a][0] + (l[b][0] - l[a][0]) * Math.min(1, (y - 1 - ya) / (yb - ya)));
    },
    state: function () {
        var shown = !!(host && host.isConnected && host.style.getPropertyValue('display') === 'block');
        var box = shown ? host.getBoundingClientRect() : null;
        return {offset: outlined, name: label ? label.textContent : '', shown: shown,
                box: box ? [box.left, box.top, box.width, box.height] : []};
    }
};
})();
)JS";

} // namespace

QWebEngineScript SourceLinkScript::script()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("sourceLink"));
    script.setWorldId(worldId);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(QString::fromLatin1(source).replace(QLatin1String("%ATTR%"), SourceMarks::attribute));
    return script;
}
