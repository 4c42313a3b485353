// The functions the module imports: each hands its arguments to the page shell's script
// (`page`), which reads strings and pixels out of the module's memory.
mergeInto(LibraryManager.library, {
  page_addControl: function (id, kind, value, name, nameLength, caption, captionLength,
                             accessible, accessibleLength, description, descriptionLength) {
    page.addControl(id, kind, value, name, nameLength, caption, captionLength, accessible,
                    accessibleLength, description, descriptionLength);
  },
  page_textToFit: function (id, text, length) {
    page.textToFit(id, text, length);
  },
  page_fontFamily: function (id, family, length) {
    page.fontFamily(id, family, length);
  },
  page_fontSize: function (id, pixels) {
    page.fontSize(id, pixels);
  },
  page_focusOrder: function (ids, count) {
    page.focusOrder(ids, count);
  },
  page_textShortfall: function () {
    return page.textShortfall();
  },
  page_ready: function (initialFocus) {
    page.ready(initialFocus);
  },
  page_place: function (id, left, top, width, height) {
    page.place(id, left, top, width, height);
  },
  page_fill: function (index, color, left, top, width, height) {
    page.fill(index, color, left, top, width, height);
  },
  page_fillCount: function (count) {
    page.fillCount(count);
  },
  page_drawing: function (left, top, block, wide, high) {
    page.drawing(left, top, block, wide, high);
  },
  page_colors: function (face, faceText, window, text) {
    page.colors(face, faceText, window, text);
  },
  page_client: function (width, height, textPixels) {
    page.client(width, height, textPixels);
  },
  page_caption: function (text, length) {
    page.caption(text, length);
  },
  page_back: function (back, text, spoken, spokenLength) {
    page.back(back, text, spoken, spokenLength);
  },
  page_timer: function (interval) {
    page.timer(interval);
  },
  page_present: function (pixels, left, top, width, height) {
    page.present(pixels, left, top, width, height);
  },
});
