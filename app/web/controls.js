// The rest of the page's script (page.js): the controls, and its parts joined as `page`.
// The controls, by control id, as the module describes them.
var controls = (function () {
  var client = document.getElementById("client"), byId = [], families = [];
  // The element of each Layout::Kind (the timer has none): its tag, class and role.
  var kinds = [["button", "button"], null, ["div", "surface", "img"], ["div", "frame"],
               ["div", "label"]];
  var shownValue = 1; // Layout::Value::Shown
  function button(e, id) {
    e.type = "button";
    e.addEventListener("click", function () { program.call(_fizzet_click, id); });
    // A held key presses the button once.
    e.addEventListener("keydown", function (k) {
      if (k.repeat && (k.key == "Enter" || k.key == " ")) k.preventDefault();
    });
  }
  // The system colours as this engine computes them now, for the module to pair.
  function systemColors() {
    var probe = document.body.appendChild(document.createElement("i"));
    var c = ["ButtonFace", "ButtonText", "Canvas", "CanvasText"].map(function (keyword) {
      probe.style.color = keyword;
      var v = getComputedStyle(probe).color.match(/[\d.]+/g).map(Number);
      return v[0] | v[1] << 8 | v[2] << 16;
    });
    probe.remove();
    program.call(function () { _fizzet_systemColors(c[0], c[1], c[2], c[3]); });
  }
  // A window moved to a screen of another density need not change its size.
  function followRatio() {
    matchMedia("(resolution: " + devicePixelRatio + "dppx)").addEventListener("change",
      function () { program.call(geometry.layout); followRatio(); }, { once: true });
  }
  // The ring goes where the focus is.
  function followFocus(e) {
    var id = byId.indexOf(e.type == "focusin" ? e.target : null);
    program.call(_fizzet_focus, id);
  }
  return {
    addControl: function (id, kind, value, name, nameLength, caption, captionLength,
                          accessible, accessibleLength, description, descriptionLength) {
      var k = kinds[kind], e = document.createElement(k[0]);
      e.id = memoryText(name, nameLength);
      e.textContent = memoryText(caption, captionLength);
      var said = memoryText(accessible, accessibleLength);
      if (said) e.setAttribute("aria-label", said);
      said = memoryText(description, descriptionLength);
      if (said) e.title = said;
      e.className = k[1];
      if (k[2]) e.setAttribute("role", k[2]);
      if (k[2] == "img") drawing.adopt(e);
      if (value == shownValue) label.adopt(e);
      if (e.localName == "button") button(e, id);
      byId[id] = e;
      client.appendChild(e);
    },
    textToFit: function (id, text, length) {
      if (length) geometry.fitText(byId[id], [memoryText(text, length)]);
    },
    fontFamily: function (id, family, length) {
      (families[id] = families[id] || []).push('"' + memoryText(family, length) + '"');
      byId[id].style.fontFamily = families[id].concat("sans-serif").join(", ");
    },
    fontSize: function (id, pixels) { byId[id].style.fontSize = geometry.px(pixels); },
    focusOrder: function (ids, count) {
      for (var i = 0; i < count; ++i) {
        var e = byId[HEAP32[(ids >> 2) + i]];
        if (e.localName != "button") e.tabIndex = 0;
        client.appendChild(e);
      }
    },
    place: function (id, left, top, width, height) {
      geometry.put(byId[id], left, top, width, height);
    },
    // Once the module has built the controls, before it shows the first index.
    ready: function (initialFocus) {
      byId[initialFocus].focus();
      program.call(geometry.layout);
      systemColors();
      client.addEventListener("focusin", followFocus);
      client.addEventListener("focusout", followFocus);
      client.addEventListener("contextmenu", function (e) { e.preventDefault(); });
      program.call(_fizzet_focus, byId.indexOf(document.activeElement));
      addEventListener("resize", function () { program.call(geometry.layout); });
      followRatio();
      matchMedia("(prefers-color-scheme: dark)").addEventListener("change", systemColors);
    },
  };
})();

// Where the page is hosted, it can be installed as an app and kept for use with no network: its
// manifest, icons and service worker lie beside it. Opened from a file, it is all there is, and
// browsers refuse a worker there; a worker refused anywhere leaves the page as it is.
(function () {
  if (!/^https?:$/.test(location.protocol)) return;
  [["manifest", "fizzet.webmanifest"], ["apple-touch-icon", "icons/fizzet-touch-180.png"]]
    .forEach(function (l) {
      var link = document.head.appendChild(document.createElement("link"));
      link.rel = l[0];
      link.href = l[1];
    });
  if ("serviceWorker" in navigator)
    navigator.serviceWorker.register("fizzet-sw.js").catch(function () {});
})();

var page = Object.assign({}, program, geometry, label, fills, drawing, controls);
