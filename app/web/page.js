"use strict";
// The page is the program's window. The module (below) builds the controls through `page`, the
// parts of this script together, and the page passes on clicks, ticks and changes of size,
// density and colour scheme.
var Module = {};

// Text of `length` bytes (or up to a NUL) at `at` in the module's memory.
function memoryText(at, length) {
  var end = at;
  if (length === undefined) while (HEAPU8[end]) ++end;
  else end = at + length;
  return new TextDecoder().decode(HEAPU8.subarray(at, end));
}
function rgb(color) {
  return "rgb(" + (color & 255) + "," + (color >> 8 & 255) + "," + (color >> 16 & 255) + ")";
}

// Running the module's handlers, its timer, and saying why it stopped or cannot start.
var program = (function () {
  var stopped = false, timer = 0;
  // Runs one of the module's handlers; a failure stops the program and says so.
  function call(handler, argument) {
    if (stopped) return;
    try { handler(argument); } catch (e) { fail(e); }
  }
  function say(sentence) {
    var message = document.getElementById("message");
    if (!message.hidden) return;
    message.textContent = sentence;
    message.hidden = false;
    document.getElementById("client").hidden = true;
  }
  var noWasm = "Fizzet cannot start: this browser cannot run WebAssembly, or has it turned off.";
  // The module is part of the page, so its compilation fails only where the browser will not
  // compile WebAssembly at all (a policy without 'wasm-unsafe-eval', say).
  function refused(error) {
    return typeof WebAssembly == "object" && error instanceof WebAssembly.CompileError;
  }
  function fail(error) {
    stopped = true;
    clearInterval(timer);
    console.error("Fizzet stopped:", error);
    say(refused(error) ? noWasm : "Fizzet stopped because of an error in the program: " +
        (error && error.message || error) + ".");
  }
  function start() {
    if (typeof WebAssembly != "object") {
      say(noWasm);
      return false;
    }
    addEventListener("error", function (e) { fail(e.error || e.message); });
    addEventListener("unhandledrejection", function (e) { fail(e.reason); });
    return true;
  }
  return {
    call: call,
    started: start(),
    timer: function (interval) {
      clearInterval(timer);
      timer = interval ? setInterval(function () { call(_fizzet_tick); }, interval) : 0;
    },
  };
})();

// Where things go. The module lays the window out in device pixels; each length is given in CSS
// pixels, as many as make those device pixels. Engines keep lengths in fractions of a CSS pixel
// (64ths, 60ths) and paint boxes and images on the device pixels nearest their edges, which are
// these.
var geometry = (function () {
  var client = document.getElementById("client");
  var ratio = 1; // device pixels per CSS pixel of the last layout
  var fitTexts = []; // [element, texts] of each control whose text must fit
  var measure = document.createElement("canvas").getContext("2d");
  // Device pixels per CSS pixel. WebKit keeps devicePixelRatio as it is when the page is zoomed;
  // the zoom shows there only in the window's outer width against the page's (pinch zoom aside).
  function deviceRatio() {
    var v = window.visualViewport, zoom = 1;
    if (/^Apple/.test(navigator.vendor) && v && v.scale == 1) zoom = outerWidth / v.width;
    return Math.abs(zoom - 1) > 0.01 ? Math.round(devicePixelRatio * zoom * 1000) / 1000
                                     : devicePixelRatio;
  }
  function px(devicePixels) { return devicePixels / ratio + "px"; }
  function place(e, left, top, width, height) {
    var s = e.style;
    s.left = px(left); s.top = px(top); s.width = px(width); s.height = px(height);
  }
  // The browser may put the client area at a whole CSS pixel: one that is also a whole device
  // pixel, so that everything inside it falls on the device pixels it was placed on. In device
  // pixels, as the client area's lengths are.
  function offset(room) {
    for (var step = 1; step <= 100; ++step)
      if (Math.abs(step * ratio - Math.round(step * ratio)) < 1e-6)
        return px(Math.round(Math.max(0, Math.floor(room / ratio / 2 / step) * step) * ratio));
    return "0px";
  }
  // How far the widest of a control's texts overflows its room: 1 where it just fits.
  function shortfall(element, texts) {
    var style = getComputedStyle(element);
    measure.font = style.font;
    var box = element.getBoundingClientRect(), edges = function (side) {
      return parseFloat(style["padding" + side]) + parseFloat(style["border" + side + "Width"]);
    };
    var roomX = box.width - edges("Left") - edges("Right");
    var roomY = box.height - edges("Top") - edges("Bottom");
    var worst = 0;
    texts.forEach(function (t) {
      var m = measure.measureText(t);
      worst = Math.max(worst, m.width / roomX,
                       (m.fontBoundingBoxAscent + m.fontBoundingBoxDescent) / roomY);
    });
    return worst;
  }
  return {
    put: place,
    px: px,
    fitText: function (e, texts) { if (texts.length) fitTexts.push([e, texts]); },
    textShortfall: function () {
      var worst = 0;
      fitTexts.forEach(function (f) { worst = Math.max(worst, shortfall(f[0], f[1])); });
      return worst;
    },
    // Lays the window out afresh, at the default font's size: the module grows it until every
    // text fits (textShortfall), and on a phone (a coarse pointer that cannot hover) until it
    // fills the screen's width.
    layout: function () {
      ratio = deviceRatio();
      var phone = matchMedia("(pointer: coarse) and (hover: none)").matches;
      var root = document.documentElement;
      _fizzet_layOut(parseFloat(getComputedStyle(root).fontSize), ratio,
                     phone ? root.clientWidth : 0, phone ? root.clientHeight : 0);
    },
    client: function (width, height, textPixels) {
      var s = client.style;
      s.width = px(width); s.height = px(height); s.fontSize = px(textPixels);
      s.left = offset(innerWidth * ratio - width);
      s.top = offset(innerHeight * ratio - height);
    },
  };
})();

// The value label: the index on its colour, and the live region that speaks it.
var label = (function () {
  var element = null, shown = false;
  return {
    adopt: function (e) {
      element = e;
      e.setAttribute("role", "status");
      e.setAttribute("aria-live", "polite");
      e.setAttribute("aria-atomic", "true");
    },
    // The caption is shown through the style sheet, which keeps it from screen readers.
    caption: function (at, length) {
      element.dataset.caption = memoryText(at, length);
      shown = false;
    },
    // The value is spoken (its text is not shown), in a new node for every value shown, so that a press that leaves
    // the index as it was is answered too. A new text colour alone (the colour scheme changed)
    // is not a value to speak.
    back: function (back, color, spoken, spokenLength) {
      element.style.background = rgb(back);
      element.style.setProperty("--ink", rgb(color));
      if (shown) return;
      element.replaceChildren(memoryText(spoken, spokenLength));
      shown = true;
    },
  };
})();

// What is painted beneath the controls: boxes in system colours, which the style sheet maps to
// the colours the module paired.
var fills = (function () {
  var layer = document.getElementById("fills"), colors = ["face", "window", "text"];
  return {
    colors: function (face, faceText, window, text) {
      var s = document.documentElement.style;
      [["--face", face], ["--face-text", faceText], ["--window", window], ["--text", text]]
        .forEach(function (c) { s.setProperty(c[0], rgb(c[1])); });
    },
    fill: function (index, color, left, top, width, height) {
      var e = layer.children[index] || layer.appendChild(document.createElement("div"));
      e.className = colors[color];
      e.hidden = false;
      geometry.put(e, left, top, width, height);
    },
    fillCount: function (count) {
      for (var i = count; i < layer.children.length; ++i) layer.children[i].hidden = true;
    },
  };
})();

// pct1's canvas, which shows the module's RGBA pixels one to a position.
var drawing = (function () {
  var canvas, context, image;
  return {
    adopt: function (e) {
      canvas = e.appendChild(document.createElement("canvas"));
      context = canvas.getContext("2d");
    },
    drawing: function (left, top, block, wide, high) {
      if (canvas.width != wide || canvas.height != high) {
        canvas.width = wide;
        canvas.height = high;
        image = null;
      }
      geometry.put(canvas, left, top, wide * block, high * block);
    },
    present: function (pixels, left, top, width, height) {
      if (!image || image.data.buffer != HEAPU8.buffer)
        image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels,
                                                    canvas.width * canvas.height * 4),
                              canvas.width, canvas.height);
      context.putImageData(image, 0, 0, left, top, width, height);
    },
  };
})();
