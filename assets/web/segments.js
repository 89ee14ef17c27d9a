// SPDX-License-Identifier: GPL-3.0-or-later
// Seven-segment figures drawn as the board draws its own: the same centre
// lines, bar outlines, dots and ghost of the unlit segments, so a figure on a
// page reads like the board's to a person and to the tests' reader alike.
// The geometry is the program's own, handed over with /layout.json ("figure");
// until it has come (setGeometry), no figure is drawn.
// Plain ES5, for the browsers of older TVs.
var VantrellSegments = (function () {
    "use strict";

    // digitSegments: bit i lights segment i, a being bit 0; centreLines: each
    // segment's, a to g, in fractions of the figure box, whose midpoints
    // readers sample; thickness, gap and sampleRadius in fractions of the box
    // width; ghostShare: the unlit segments' share of the lit colour;
    // dotsPerSegment; widthPercent: the width in hundredths of the height.
    var geometry = null;

    function isNumber(value) {
        return typeof value === "number" && isFinite(value);
    }

    function isLine(line) {
        return line && line.length === 4 && isNumber(line[0]) && isNumber(line[1]) &&
            isNumber(line[2]) && isNumber(line[3]);
    }

    function validGeometry(figure) {
        if (!figure || !figure.digitSegments || figure.digitSegments.length !== 10 ||
            !figure.centreLines || figure.centreLines.length !== 7)
            return false;
        for (var i = 0; i < figure.centreLines.length; ++i) {
            if (!isLine(figure.centreLines[i]))
                return false;
        }
        return isNumber(figure.thickness) && isNumber(figure.gap) &&
            isNumber(figure.sampleRadius) && isNumber(figure.ghostShare) &&
            figure.dotsPerSegment >= 3 && figure.dotsPerSegment % 2 === 1 &&
            figure.widthPercent > 0;
    }

    // The layout's "figure"; false, and nothing changed, when it is not one.
    function setGeometry(figure) {
        if (!validGeometry(figure))
            return false;
        geometry = figure;
        return true;
    }

    function ready() {
        return geometry !== null;
    }

    function segmentsFor(digit) {
        return digit >= 0 && digit <= 9 && digit === Math.floor(digit) ?
            geometry.digitSegments[digit] : 0;
    }

    // [r, g, b] of "#rrggbb"; anything else is black, so a hostile feed's
    // colour can never reach the canvas as something else.
    function rgb(color) {
        if (typeof color !== "string" || !/^#[0-9a-fA-F]{6}$/.test(color))
            return [0, 0, 0];
        var value = parseInt(color.substring(1), 16);
        return [(value >> 16) & 255, (value >> 8) & 255, value & 255];
    }

    function css(channels) {
        return "rgb(" + channels[0] + "," + channels[1] + "," + channels[2] + ")";
    }

    // A colour safe to hand to a canvas.
    function safeColor(color) {
        return css(rgb(color));
    }

    function blend(from, to, share) {
        var mixed = [];
        for (var i = 0; i < 3; ++i)
            mixed.push(Math.round(from[i] + (to[i] - from[i]) * share));
        return mixed;
    }

    // Sizes in device pixels for one box.
    function metrics(width, height) {
        var m = {
            width: width,
            height: height,
            gap: Math.max(0.5, geometry.gap * width),
            // A sampled pixel within the sampling radius reaches about half its
            // diagonal further; all of that must be solid.
            reach: Math.max(1.0, geometry.sampleRadius * width) + 0.75,
            half: geometry.thickness * width / 2
        };
        // Small figures need more than the nominal dot to cover that reach.
        m.dotRadius = Math.max(m.half, m.reach);
        return m;
    }

    function isHorizontal(line) {
        return line[1] === line[3];
    }

    function clamp(value, low, high) {
        return Math.min(Math.max(value, low), high);
    }

    // A bar with bevelled ends, built along the x axis and turned for the
    // vertical segments.
    function barOutline(line, m) {
        var horizontal = isHorizontal(line);
        var across = horizontal ? line[1] * m.height : line[0] * m.width;
        var from = (horizontal ? line[0] * m.width : line[1] * m.height) + m.gap;
        var to = (horizontal ? line[2] * m.width : line[3] * m.height) - m.gap;
        // Long edges on whole pixels keep the bar's inside exactly the lit
        // colour, widened where small figures would leave sampled pixels half
        // covered.
        var top = Math.min(Math.round(across - m.half), Math.floor(across - m.reach));
        var bottom = Math.max(Math.round(across + m.half), Math.ceil(across + m.reach));
        var middle = (top + bottom) / 2;
        // On small figures a full bevel would reach the sampled middle.
        var bevel = clamp((to - from) / 2 - m.reach, 0, middle - top);
        var outline = [
            [from, middle], [from + bevel, top], [to - bevel, top],
            [to, middle], [to - bevel, bottom], [from + bevel, bottom]
        ];
        if (!horizontal) {
            for (var i = 0; i < outline.length; ++i)
                outline[i] = [outline[i][1], outline[i][0]];
        }
        return outline;
    }

    function addBar(ctx, line, m) {
        var outline = barOutline(line, m);
        ctx.moveTo(outline[0][0], outline[0][1]);
        for (var i = 1; i < outline.length; ++i)
            ctx.lineTo(outline[i][0], outline[i][1]);
        ctx.closePath();
    }

    function addDots(ctx, line, m) {
        var startX = line[0] * m.width, startY = line[1] * m.height;
        var endX = line[2] * m.width, endY = line[3] * m.height;
        var middleX = (startX + endX) / 2, middleY = (startY + endY) / 2;
        var towardX = endX - middleX, towardY = endY - middleY;
        var halfLength = isHorizontal(line) ? towardX : towardY;
        // Corner dots stand back from the corner so two segments meeting there
        // never share a dot; only the tiniest figures let them touch.
        var inset = (2 * m.half + m.gap) / Math.sqrt(2);
        var spread = Math.max(0, 1 - inset / halfLength);
        var dots = geometry.dotsPerSegment;
        for (var dot = 0; dot < dots; ++dot) {
            var step = 2 * dot / (dots - 1) - 1;
            var x = middleX + towardX * spread * step;
            var y = middleY + towardY * spread * step;
            ctx.moveTo(x + m.dotRadius, y);
            ctx.arc(x, y, m.dotRadius, 0, 2 * Math.PI, false);
        }
    }

    // One figure in the device-pixel rectangle (x, y, width, height) of a
    // canvas whose transform is the identity: digit 0-9, or -1 for blank.
    // style is "dots" or "segments".
    function drawFigure(ctx, x, y, width, height, digit, litColor, backColor, style) {
        if (width <= 0 || height <= 0 || !geometry)
            return;
        var back = rgb(backColor), lit = rgb(litColor);
        var m = metrics(width, height);
        var add = style === "dots" ? addDots : addBar;
        var litSegments = segmentsFor(digit);
        ctx.save();
        ctx.translate(x, y);
        ctx.beginPath();
        ctx.rect(0, 0, width, height);
        ctx.clip();
        ctx.fillStyle = css(back);
        ctx.fillRect(0, 0, width, height);
        // Lit segments last, so where small figures make segments overlap,
        // the lit colour wins.
        var passes = [[false, css(blend(back, lit, geometry.ghostShare))], [true, css(lit)]];
        // Each segment filled on its own: a vertical bar's outline runs the
        // other way round, and one path would cut holes where bars overlap.
        for (var p = 0; p < passes.length; ++p) {
            ctx.fillStyle = passes[p][1];
            var lines = geometry.centreLines;
            for (var segment = 0; segment < lines.length; ++segment) {
                if (((litSegments >> segment) & 1) !== (passes[p][0] ? 1 : 0))
                    continue;
                ctx.beginPath();
                add(ctx, lines[segment], m);
                ctx.fill();
            }
        }
        ctx.restore();
    }

    // The figure's width in pixels for its height, as the board rounds it:
    // to the nearest, halves up, in integers.
    function widthFor(height) {
        return Math.floor((geometry.widthPercent * Math.max(1, height) + 50) / 100);
    }

    return {
        setGeometry: setGeometry,
        ready: ready,
        drawFigure: drawFigure,
        widthFor: widthFor,
        safeColor: safeColor
    };
})();
