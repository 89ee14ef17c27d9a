// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a Vantrell feed: the WebSocket /live first, which sends the whole
// state at once and again at each change; /state.json once a second where
// the WebSocket cannot be had (older TV browsers, a proxy in the way), with
// the WebSocket tried again now and then. Plain ES5 with XMLHttpRequest, for
// the browsers of older TVs.
var VantrellFeed = (function () {
    "use strict";

    // The forms of the state this page can draw: 2 adds the match, 3 the
    // next match between matches.
    var Format = "vantrell-state";
    var KnownVersions = [1, 2, 3];

    var PollMs = 1000;
    var RetryLiveMs = 10000;
    // A WebSocket that neither opens nor fails is given up on, so the page
    // falls back instead of waiting for the browser's own time-out.
    var OpenTimeoutMs = 5000;
    var RequestTimeoutMs = 4000;

    // "host:port", "[v6]:port" or a bare IPv6 address with its port after
    // the last colon, as the Displays window writes it, into
    // {host, port, text}; null for anything else, so nothing but an address
    // ever reaches a URL. Without a port, defaultPort.
    function parseAddress(text, defaultPort) {
        text = String(text || "").replace(/^\s+|\s+$/g, "");
        var host = null, port = null, match;
        if ((match = /^\[([0-9A-Fa-f:.]+)\](?::(\d{1,5}))?$/.exec(text))) {
            host = "[" + match[1] + "]";
            port = match[2];
        } else if (/^[0-9A-Fa-f:.]+$/.test(text) && text.split(":").length >= 3) {
            host = "[" + text + "]";
            // The port follows the last colon, where an address of two colons
            // or more, not ending in a lone colon, stays before it.
            var last = text.lastIndexOf(":");
            var before = text.substring(0, last);
            if (/^\d{1,5}$/.test(text.substring(last + 1)) && before.split(":").length >= 3 &&
                (!/:$/.test(before) || /::$/.test(before))) {
                host = "[" + before + "]";
                port = text.substring(last + 1);
            }
        } else if ((match = /^([A-Za-z0-9](?:[A-Za-z0-9.-]*[A-Za-z0-9])?)(?::(\d{1,5}))?$/.exec(text))) {
            host = match[1];
            port = match[2];
        }
        if (host === null)
            return null;
        port = port ? parseInt(port, 10) : defaultPort;
        if (!(port >= 1 && port <= 65535))
            return null;
        return {host: host, port: port, text: host + ":" + port};
    }

    // The value of one query parameter of the page's address, or null.
    function queryValue(name) {
        var pairs = window.location.search.replace(/^\?/, "").split("&");
        for (var i = 0; i < pairs.length; ++i) {
            var at = pairs[i].indexOf("=");
            var key = at < 0 ? pairs[i] : pairs[i].substring(0, at);
            if (key !== name)
                continue;
            try {
                return decodeURIComponent(pairs[i].substring(at + 1).replace(/\+/g, " "));
            } catch (e) {
                return null;
            }
        }
        return null;
    }

    // The page's own port, as the port of an address given without one.
    function ownPort() {
        return parseInt(window.location.port, 10) || 80;
    }

    // GET a JSON document; done(error, value).
    function getJson(url, done) {
        var request = new XMLHttpRequest();
        var finished = false;
        function finish(error, value) {
            if (finished)
                return;
            finished = true;
            done(error, value);
        }
        request.onreadystatechange = function () {
            if (request.readyState !== 4)
                return;
            if (request.status !== 200)
                return finish("HTTP " + request.status);
            var value;
            try {
                value = JSON.parse(request.responseText);
            } catch (e) {
                return finish("not JSON");
            }
            finish(null, value);
        };
        request.ontimeout = function () {
            finish("timed out");
        };
        try {
            request.open("GET", url, true);
            request.timeout = RequestTimeoutMs;
            request.send();
        } catch (e) {
            finish(String(e));
        }
    }

    function known(version) {
        for (var i = 0; i < KnownVersions.length; ++i) {
            if (KnownVersions[i] === version)
                return true;
        }
        return false;
    }

    // Why a state cannot be drawn, or null when it can.
    function refusal(state) {
        if (!state || typeof state !== "object" || state.format !== Format)
            return "This is not a Vantrell feed.";
        if (!known(state.version))
            return "This feed is of a newer Vantrell (version " + String(state.version).substring(0, 8) +
                "): open this page from that Vantrell.";
        return null;
    }

    // Follows one feed: the page's own when address is null, else the
    // parsed address of another. onState(state) with every state;
    // onStatus(kind, message) when the reading changes: "live", "polling",
    // "lost" (nothing answers, still trying) or "refused" (a state this page
    // cannot read). Returns {stop}.
    function follow(address, onState, onStatus) {
        var where = address ? address.text : window.location.host;
        var httpBase = "http://" + where;
        var liveUrl = "ws://" + where + "/live";
        var socket = null, socketOpen = false, openTimer = null;
        var polling = false, pollTimer = null, retryTimer = null;
        var stopped = false, lastStatus = "", delivered = false;

        function status(kind, message) {
            if (kind + message === lastStatus)
                return;
            lastStatus = kind + message;
            onStatus(kind, message || "");
        }

        function deliver(state, kind) {
            var why = refusal(state);
            if (why)
                return status("refused", why);
            delivered = true;
            status(kind, "");
            onState(state);
        }

        function lost() {
            status("lost", address ? "No feed from " + address.text + ": trying again." :
                "The feed has stopped: trying again.");
        }

        function poll() {
            getJson(httpBase + "/state.json", function (error, state) {
                if (!polling || stopped)
                    return;
                if (error)
                    lost();
                else
                    deliver(state, "polling");
                pollTimer = window.setTimeout(poll, PollMs);
            });
        }

        function startPolling() {
            if (polling || stopped)
                return;
            polling = true;
            poll();
        }

        function stopPolling() {
            polling = false;
            window.clearTimeout(pollTimer);
        }

        function retryLater() {
            window.clearTimeout(retryTimer);
            if (!stopped)
                retryTimer = window.setTimeout(openLive, RetryLiveMs);
        }

        function dropped(which) {
            if (which !== socket)
                return;
            window.clearTimeout(openTimer);
            socket = null;
            socketOpen = false;
            if (stopped)
                return;
            startPolling();
            retryLater();
        }

        function openLive() {
            if (stopped || socket)
                return;
            if (typeof window.WebSocket === "undefined")
                return startPolling();
            var opened;
            try {
                opened = new window.WebSocket(liveUrl);
            } catch (e) {
                startPolling();
                return retryLater();
            }
            socket = opened;
            openTimer = window.setTimeout(function () {
                if (socket === opened && !socketOpen)
                    opened.close();
                dropped(opened);
            }, OpenTimeoutMs);
            opened.onopen = function () {
                if (socket !== opened)
                    return;
                window.clearTimeout(openTimer);
                socketOpen = true;
                stopPolling();
            };
            opened.onmessage = function (event) {
                if (socket !== opened || typeof event.data !== "string")
                    return;
                var state;
                try {
                    state = JSON.parse(event.data);
                } catch (e) {
                    return;
                }
                deliver(state, "live");
            };
            opened.onclose = function () {
                dropped(opened);
            };
        }

        // A first look at the state while the WebSocket opens, so the page
        // shows the game at once; the WebSocket's first message, if it came
        // sooner, is newer and wins.
        getJson(httpBase + "/state.json", function (error, state) {
            if (!error && !delivered && !stopped)
                deliver(state, "polling");
        });
        openLive();
        return {
            stop: function () {
                stopped = true;
                stopPolling();
                window.clearTimeout(retryTimer);
                window.clearTimeout(openTimer);
                if (socket)
                    socket.close();
                socket = null;
            }
        };
    }

    return {
        parseAddress: parseAddress,
        queryValue: queryValue,
        ownPort: ownPort,
        getJson: getJson,
        follow: follow
    };
})();
