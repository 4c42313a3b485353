// The functions the module imports: each hands its arguments to the page shell's script
// (`page`), which reads strings and pixels out of the module's memory.
mergeInto(LibraryManager.library, {
  page_addControl: function (id, fields) {
    page.addControl(id, fields);
  },
  page_focusOrder: function (ids, count) {
    page.focusOrder(ids, count);
  },
  page_indexFont: function (id, points, family, length) {
    page.indexFont(id, points, family, length);
  },
  page_textShortfall: function () {
    return page.textShortfall();
  },
  page_ready: function () {
    page.ready();
  },
  page_place: function (id, left, top, width, height) {
    page.place(id, left, top, width, height);
  },
  page_line: function (id, index, left, top, width, height) {
    page.line(id, index, left, top, width, height);
  },
  page_drawing: function (left, top, block, wide, high) {
    page.drawing(left, top, block, wide, high);
  },
  page_client: function (width, height, ringGap, ringWidth) {
    page.client(width, height, ringGap, ringWidth);
  },
  page_caption: function (text, length) {
    page.caption(text, length);
  },
  page_back: function (back, text, name, nameLength) {
    page.back(back, text, name, nameLength);
  },
  page_timer: function (interval) {
    page.timer(interval);
  },
  page_present: function (pixels, left, top, width, height) {
    page.present(pixels, left, top, width, height);
  },
});
