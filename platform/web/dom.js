// The window system of the browser: the form's controls as elements of the
// page and the plane as a canvas. The C++ side (platform/web/) calls these
// functions; the page's events call back into it (lg_clicked, lg_mouse …).
//
// The page provides <div id="form"> inside <div id="stage">; everything of
// the form is made inside it, in the form's own pixels, and the form is
// scaled as a whole to fit the window.

mergeInto(LibraryManager.library, {
  $LG: {
    // Kinds of element, as the C++ side numbers them.
    FORM: 0, BUTTON: 1, BOX: 2, LABEL: 3, LINE: 4, PICTURE: 5, TEXT: 6,
    FONT: '"LessonGothic", "IPAPGothic", "IPA Pゴシック", sans-serif',
    elements: [],
    kinds: [],
    width: 876,
    height: 650,
    scale: 1,
    pendingFocus: null,
    messages: [],
    measurer: null,
    metrics: null,  // font -> {ascent, height}

    form: function () { return document.getElementById('form'); },
    cssFont: function (px, bold, italic) {
      return (italic ? 'italic ' : '') + (bold ? 'bold ' : '') + px + 'px ' + LG.FONT;
    },
    colour: function (c) { return '#' + (c & 0xFFFFFF).toString(16).padStart(6, '0'); },
    // The canvas's fill and stroke colours, set only when they change.
    fillWith: function (canvas, c) {
      if (canvas._fill === c) return;
      canvas._fill = c;
      canvas._context.fillStyle = LG.colour(c);
    },
    strokeWith: function (canvas, c) {
      if (canvas._stroke === c) return;
      canvas._stroke = c;
      canvas._context.strokeStyle = LG.colour(c);
    },
    // A small picture drawn once and stamped many times: an image of its
    // own where the browser has one (a canvas would be copied again at every
    // stamp), else a canvas.
    picture: function (width, height, draw) {
      if (typeof OffscreenCanvas !== 'undefined') {
        var o = new OffscreenCanvas(width, height);
        var c = o.getContext('2d');
        if (c && o.transferToImageBitmap) { draw(c); return o.transferToImageBitmap(); }
      }
      var e = document.createElement('canvas');
      e.width = width;
      e.height = height;
      draw(e.getContext('2d'));
      return e;
    },
    // A dot drawn once for its radius, colour and place within a pixel, and
    // stamped wherever it is wanted.
    stamp: function (canvas, radius, c, fx, fy) {
      // A run of dots is one size, colour and place within a pixel.
      var last = canvas._lastStamp;
      if (last && last._radius === radius && last._c === c && last._fx === fx && last._fy === fy &&
          last._ratio === canvas._ratio) return last;
      if (!canvas._stamps || canvas._stampRatio !== canvas._ratio) {
        LG.forget(canvas._stamps);
        canvas._stamps = new Map();
        canvas._stampRatio = canvas._ratio;
        canvas._lastStamp = null;
      }
      var key = radius + ',' + c + ',' + fx + ',' + fy;
      var s = canvas._stamps.get(key);
      if (s) return (canvas._lastStamp = s);
      if (canvas._stamps.size > 64) LG.forget(canvas._stamps);
      var k = canvas._ratio, pad = Math.ceil(radius * k) + 2;
      s = LG.picture(2 * pad + 1, 2 * pad + 1, function (x) {
        x.fillStyle = LG.colour(c);
        x.beginPath();
        x.arc(pad + fx, pad + fy, radius * k, 0, 2 * Math.PI);
        x.fill();
      });
      s._pad = pad;
      s._radius = radius; s._c = c; s._fx = fx; s._fy = fy; s._ratio = k;
      canvas._stamps.set(key, s);
      return (canvas._lastStamp = s);
    },
    // Where a stamp sits within a device pixel, to a quarter of one (as
    // finely as the browser places text): a drag at a scale that is not
    // whole moves by fractions, and every fraction would be a stamp of its own.
    phase: function (v) { return Math.round(v * 4) / 4; },
    // A cache of stamps emptied, their images let go at once.
    forget: function (cache) {
      if (!cache) return;
      cache.forEach(function (s) { if (s.close) s.close(); });
      cache.clear();
    },
    shift: function (e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); },
    call: function (name, ret, types, args) { return Module.ccall(name, ret, types, args); },

    // The form at a uniform scale that fits the window, centred; the
    // canvases' pixels follow the screen's density times that scale.
    relayout: function () {
      var form = LG.form();
      if (!form) return;
      var stage = form.parentElement;
      var W = stage.clientWidth || window.innerWidth, H = stage.clientHeight || window.innerHeight;
      var s = Math.min(W / LG.width, H / LG.height);
      if (!(s > 0)) s = 1;
      var ox = (W - LG.width * s) / 2, oy = (H - LG.height * s) / 2;
      LG.scale = s;
      form.style.transform = 'translate(' + ox + 'px,' + oy + 'px) scale(' + s + ')';
      for (var id = 0; id < LG.elements.length; ++id) {
        if (!LG.elements[id]) continue;
        LG.elements[id]._rect = null;
        // A canvas at a new resolution is made again from what was drawn.
        if (LG.kinds[id] === LG.PICTURE && LG.fitCanvas(LG.elements[id])) LG.call('lg_redraw', null, ['number'], [id]);
      }
    },
    // A canvas's pixels: the screen's density times the form's scale for
    // each pixel of the form. True when they changed (the canvas is blank).
    fitCanvas: function (canvas) {
      var w = canvas._w || 1, h = canvas._h || 1;
      var ratio = (window.devicePixelRatio || 1) * LG.scale;
      var across = Math.max(1, Math.round(w * ratio)), down = Math.max(1, Math.round(h * ratio));
      if (canvas.width === across && canvas.height === down) return false;
      canvas.width = across;
      canvas.height = down;
      canvas._ratio = across / w;
      canvas._font = ''; canvas._fill = canvas._stroke = -1;
      return true;
    },
    watchDensity: function () {
      var query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      var changed = function () { query.removeEventListener('change', changed); LG.relayout(); LG.watchDensity(); };
      query.addEventListener('change', changed);
    },

    // The picture as drawn, made again on a canvas of its own at `ratio`
    // canvas pixels to a form pixel: the program draws it once more while
    // the picture's number stands for that canvas; the picture shown is
    // left as it is.
    madeAgain: function (id, ratio) {
      var shown = LG.elements[id], made = document.createElement('canvas');
      made._w = shown._w;
      made._h = shown._h;
      made.width = Math.max(1, Math.round(shown._w * ratio));
      made.height = Math.max(1, Math.round(shown._h * ratio));
      made._ratio = made.width / shown._w;
      made._fill = made._stroke = -1;
      made._context = made.getContext('2d', { alpha: false });
      LG.elements[id] = made;
      try {
        LG.call('lg_redraw', null, ['number'], [id]);
      } finally {
        LG.elements[id] = shown;
      }
      return made;
    },
    handed: function (id, taken) { LG.call('lg_image_handed', null, ['number', 'number'], [id, taken ? 1 : 0]); },

    // Text measured in the form's pixels.
    measure: function (font, text) {
      if (!LG.measurer) LG.measurer = document.createElement('canvas').getContext('2d');
      LG.measurer.font = font;
      return LG.measurer.measureText(text);
    },
    lineMetrics: function (font) {
      if (!LG.metrics) LG.metrics = new Map();
      var m = LG.metrics.get(font);
      if (m) return m;
      var t = LG.measure(font, 'Ｏ0');
      var ascent = t.fontBoundingBoxAscent, descent = t.fontBoundingBoxDescent;
      if (!(ascent > 0)) { var px = parseFloat(font.replace(/^.*?(\d+(\.\d+)?)px.*$/, '$1')); ascent = px * 0.88; descent = px * 0.12; }
      m = { ascent: ascent, height: ascent + descent };
      LG.metrics.set(font, m);
      return m;
    },

    // The keyboard focus, once the event is over; behind a message, once it is closed.
    focus: function (id) {
      var el = LG.elements[id];
      if (!el) return;
      var dialog = document.getElementById('message');
      if (dialog && dialog.open) { LG.pendingFocus = id; return; }
      if (el.classList.contains('disabled')) return;  // a greyed button takes no focus
      el.focus({ preventScroll: true });
    },

    // Messages, one at a time, in a modal dialog.
    showNext: function () {
      var dialog = document.getElementById('message');
      if (!dialog) {
        dialog = document.createElement('dialog');
        dialog.id = 'message';
        dialog.setAttribute('aria-live', 'assertive');
        var text = document.createElement('p');
        text.className = 'text';
        var ok = document.createElement('button');
        ok.type = 'button';
        ok.textContent = 'OK';
        ok.addEventListener('click', function () { dialog.close(); });
        dialog.appendChild(text);
        dialog.appendChild(ok);
        dialog.addEventListener('close', function () {
          if (LG.messages.length) { LG.showNext(); return; }
          var id = LG.pendingFocus;
          LG.pendingFocus = null;
          if (id !== null) LG.focus(id);
        });
        dialog.addEventListener('cancel', function (e) { e.preventDefault(); dialog.close(); });
        document.body.appendChild(dialog);
      }
      var m = LG.messages.shift();
      dialog.className = m.error ? 'error' : 'message';
      dialog.querySelector('.text').textContent = m.text;
      if (!dialog.open) {
        var focused = document.activeElement;
        var id = LG.elements.indexOf(focused);
        if (LG.pendingFocus === null && id >= 0) LG.pendingFocus = id;
        dialog.showModal();
        dialog.querySelector('button').focus();
      }
    },

    // A caption laid out on more lines than its label holds (a browser that
    // will not let ideographic spaces hang at the end of a line) may break
    // anywhere rather than lose its last line.
    keepLines: function (el) {
      el.style.lineBreak = '';
      if (el.classList.contains('one-line')) return;  // never wraps
      if (el.textContent && el.scrollHeight > el.clientHeight + 1) el.style.lineBreak = 'anywhere';
    },
    shown: false,
    // A label lower than a line and a half shows one line, never wrapped; a
    // centred one that is wider than itself stands out on both sides, as the
    // desktop centres it (the program has made its ink fit).
    shapeLabel: function (el) {
      if (!el._place || !el._px) return;
      el.classList.toggle('one-line', el._place.h * 2 < el._px * 3);
    },

    // The labels under a text read as one are left to it.
    hideCovered: function () {
      for (var t = 0; t < LG.elements.length; ++t) {
        if (LG.kinds[t] !== LG.TEXT || !LG.elements[t]) continue;
        var r = LG.elements[t]._place;
        if (!r) continue;
        for (var id = 0; id < LG.elements.length; ++id) {
          var k = LG.kinds[id], el = LG.elements[id];
          if (!el || (k !== LG.LABEL && k !== LG.LINE) || !el._place) continue;
          var p = el._place;
          var inside = p.l >= r.l && p.t >= r.t && p.l + p.w <= r.l + r.w && p.t + p.h <= r.t + r.h;
          if (inside) el.setAttribute('aria-hidden', 'true');
        }
      }
    },

    // Characters (the program's) and UTF-16 code units (the page's).
    unitsOf: function (s, characters) {
      var units = 0;
      for (var c = 0; c < characters && units < s.length; ++c) {
        var code = s.charCodeAt(units);
        units += code >= 0xD800 && code <= 0xDBFF ? 2 : 1;
      }
      return Math.min(units, s.length);
    },
    charactersOf: function (s, units) {
      var n = 0;
      for (var u = 0; u < units && u < s.length; ++u) {
        var code = s.charCodeAt(u);
        if (!(code >= 0xDC00 && code <= 0xDFFF)) ++n;
      }
      return n;
    },

    // Events of the page into the program.
    listen: function (id, el, kind) {
      if (kind === LG.BUTTON) {
        el.addEventListener('click', function () {
          if (!el.classList.contains('disabled')) LG.call('lg_clicked', null, ['number'], [id]);
        });
        el.addEventListener('keydown', function (e) {
          // A button is pressed once per key press; a held Enter repeats.
          if ((e.key === 'Enter' || e.key === ' ') && e.repeat) e.preventDefault();
        });
      } else if (kind === LG.BOX) {
        el.addEventListener('keydown', function (e) {
          // The input method's own keys (Enter that ends a conversion) are its own.
          if (e.isComposing || e.keyCode === 229) return;
          var code = e.key === 'Enter' ? 13 : e.key === 'Backspace' ? 8 : e.key === 'Escape' ? 27 : 0;
          if (!code) return;
          var kept = LG.call('lg_key_press', 'number', ['number', 'number'], [id, code]);
          // A key that sent the focus on (Enter from box c to 「点を打つ」) is
          // done: the browser would otherwise let it press the button it reached.
          if (!kept || document.activeElement !== el) e.preventDefault();
        });
        el.addEventListener('beforeinput', function (e) {
          if (e.inputType !== 'insertText' || !e.data || e.isComposing) return;
          for (var i = 0; i < e.data.length; ++i) {
            var code = e.data.charCodeAt(i);
            if (!LG.call('lg_key_press', 'number', ['number', 'number'], [id, code])) { e.preventDefault(); return; }
          }
        });
        el.addEventListener('input', function () { LG.call('lg_edited', null, ['number', 'string'], [id, el.value]); });
      } else if (kind === LG.PICTURE) {
        var at = function (e) {
          // Where the plane stands on the page changes only with the form's
          // scale (kept by relayout): asking the page each time would make it
          // lay itself out again at every step of a drag.
          var r = el._rect || (el._rect = el.getBoundingClientRect());
          return [(e.clientX - r.left) * (el._w / r.width), (e.clientY - r.top) * (el._h / r.height)];
        };
        var mouse = function (what, button, e) {
          var p = at(e);
          LG.call('lg_mouse', null, ['number', 'number', 'number', 'number', 'number', 'number'],
                  [id, what, button, LG.shift(e), p[0], p[1]]);
        };
        var bit = function (b) { return b === 0 ? 1 : b === 2 ? 2 : b === 1 ? 4 : 0; };
        // One pointer drags the plane: the one pressed first, until it is let
        // go (a second finger on the plane moves nothing). The plane keeps
        // it, also outside itself.
        el._pointer = null;
        el.addEventListener('pointerdown', function (e) {
          if (e.pointerType !== 'mouse') e.preventDefault();
          if (el._pointer !== null && el._pointer !== e.pointerId) return;
          el._pointer = e.pointerId;
          try { el.setPointerCapture(e.pointerId); } catch (err) { /* a pointer no longer down */ }
          mouse(0, bit(e.button), e);
        });
        el.addEventListener('pointermove', function (e) {
          if (el._pointer !== null && el._pointer !== e.pointerId) return;
          mouse(1, e.buttons & 7, e);
        });
        var release = function (e) {
          if (el._pointer !== e.pointerId) return;
          el._pointer = null;
          mouse(2, bit(e.button), e);
        };
        el.addEventListener('pointerup', release);
        el.addEventListener('pointercancel', release);
        el.addEventListener('contextmenu', function (e) { e.preventDefault(); });
        // A middle button let go over a box would paste there (X11's selection).
        el.addEventListener('auxclick', function (e) { e.preventDefault(); });
        el.addEventListener('mouseup', function (e) { if (e.button === 1) e.preventDefault(); });
        el.addEventListener('keydown', function (e) {
          var code = { ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40 }[e.key];
          var shift = LG.shift(e);
          // Copy and save: Ctrl+C and Ctrl+S, or ⌘C and ⌘S on an Apple keyboard.
          if ((e.ctrlKey || e.metaKey) && !e.altKey && !e.shiftKey && (e.code === 'KeyC' || e.code === 'KeyS')) {
            code = e.code === 'KeyC' ? 67 : 83;
            shift = 2;
          }
          if (!code) return;
          if (LG.call('lg_key_down', 'number', ['number', 'number', 'number'], [id, code, shift])) e.preventDefault();
        });
      }
    },
  },

  lg_make__deps: ['$LG'],
  lg_make: function (kind, id) {
    var el;
    if (kind === LG.FORM) {
      el = LG.form();
      window.addEventListener('resize', LG.relayout);
      LG.watchDensity();
      // A press beside the controls (the green, a label, a greyed button)
      // leaves the keyboard focus where it was, as on the desktop.
      el.parentElement.addEventListener('mousedown', function (e) {
        if (!e.target.closest('button:not(.disabled), input, canvas, dialog')) e.preventDefault();
      }, true);
    } else if (kind === LG.BUTTON) {
      el = document.createElement('button');
      el.type = 'button';
      el.className = 'button';
    } else if (kind === LG.BOX) {
      el = document.createElement('input');
      el.type = 'text';
      el.className = 'box';
      // The on-screen keyboard keeps its minus sign and its decimal point.
      el.setAttribute('inputmode', 'text');
      el.autocomplete = 'off';
      el.spellcheck = false;
      el.setAttribute('autocapitalize', 'off');
      el.setAttribute('autocorrect', 'off');
      el.setAttribute('enterkeyhint', 'next');
    } else if (kind === LG.LABEL) {
      el = document.createElement('div');
      el.className = 'label';
    } else if (kind === LG.LINE) {
      el = document.createElement('div');
      el.className = 'line';
    } else if (kind === LG.PICTURE) {
      el = document.createElement('canvas');
      el.className = 'picture';
      el.tabIndex = 0;
      el.setAttribute('role', 'img');
      el._w = 1; el._h = 1; el._ratio = 1; el._font = ''; el._fill = el._stroke = -1;
      el._context = el.getContext('2d', { alpha: false });
      var description = document.createElement('div');
      description.className = 'description';
      description.id = 'description-' + id;
      el.setAttribute('aria-describedby', description.id);
      el._description = description;
      LG.form().appendChild(description);
    } else if (kind === LG.TEXT) {
      el = document.createElement('div');
      el.className = 'reading';
      el.setAttribute('role', 'status');
      el.setAttribute('aria-live', 'polite');
      el.setAttribute('aria-atomic', 'true');
    }
    LG.elements[id] = el;
    LG.kinds[id] = kind;
    if (kind !== LG.FORM) {
      LG.form().appendChild(el);
      LG.listen(id, el, kind);
    }
  },

  lg_destroy__deps: ['$LG'],
  lg_destroy: function (id) {
    var el = LG.elements[id];
    if (el && LG.kinds[id] !== LG.FORM) {
      if (el._description) el._description.remove();
      el.remove();
    }
    LG.elements[id] = null;
  },

  lg_place__deps: ['$LG'],
  lg_place: function (id, l, t, w, h) {
    var el = LG.elements[id];
    var first = !el._place;
    el._place = { l: l, t: t, w: w, h: h };
    el.style.left = l + 'px';
    el.style.top = t + 'px';
    el.style.width = w + 'px';
    el.style.height = h + 'px';
    // (A label that moves, an axis name in a drag, stays what it was.)
    if (LG.kinds[id] === LG.TEXT || (first && LG.kinds[id] === LG.LABEL)) LG.hideCovered();
    if (LG.kinds[id] === LG.LABEL) LG.shapeLabel(el);
  },

  lg_font__deps: ['$LG'],
  lg_font: function (id, px, bold, italic) {
    var el = LG.elements[id];
    el.style.font = LG.cssFont(px, bold, italic);
    el._px = px;
    if (LG.kinds[id] === LG.LABEL) LG.shapeLabel(el);
  },

  lg_visible__deps: ['$LG'],
  lg_visible: function (id, visible) { LG.elements[id].style.visibility = visible ? '' : 'hidden'; },

  lg_enabled__deps: ['$LG'],
  lg_enabled: function (id, enabled) {
    var el = LG.elements[id];
    if (LG.kinds[id] !== LG.BUTTON) { el.disabled = !enabled; return; }
    // A greyed button is left out of the tab keys and presses nothing, but
    // stays an element that takes the mouse, so that a press on it (as on
    // the green around it) can leave the focus where it was.
    el.classList.toggle('disabled', !enabled);
    el.setAttribute('aria-disabled', enabled ? 'false' : 'true');
    el.tabIndex = enabled ? 0 : -1;
    if (!enabled && document.activeElement === el) el.blur();
  },

  lg_focus__deps: ['$LG'],
  lg_focus: function (id) { LG.focus(id); },

  lg_has_focus__deps: ['$LG'],
  lg_has_focus: function (id) { return document.activeElement === LG.elements[id] ? 1 : 0; },

  lg_accessible_name__deps: ['$LG'],
  lg_accessible_name: function (id, name) {
    var el = LG.elements[id], text = UTF8ToString(name);
    if (LG.kinds[id] === LG.LABEL) {
      // A label is read by its caption; one named apart (a slot of the
      // equation) keeps that name while it shows nothing.
      if (text && text !== el.textContent) el.setAttribute('aria-label', text); else el.removeAttribute('aria-label');
      return;
    }
    if (text) el.setAttribute('aria-label', text); else el.removeAttribute('aria-label');
  },

  lg_description__deps: ['$LG'],
  lg_description: function (id, text) {
    var el = LG.elements[id];
    if (el._description) el._description.textContent = UTF8ToString(text);
  },

  lg_name__deps: ['$LG'],
  lg_name: function (id, name) { LG.elements[id].dataset.name = UTF8ToString(name); },

  lg_caption__deps: ['$LG'],
  lg_caption: function (id, text) {
    var el = LG.elements[id];
    el.textContent = UTF8ToString(text);
    if (LG.kinds[id] === LG.LABEL && LG.shown) LG.keepLines(el);
  },

  lg_checked__deps: ['$LG'],
  lg_checked: function (id, checked) {
    var el = LG.elements[id];
    el.setAttribute('role', 'radio');
    el.setAttribute('aria-checked', checked ? 'true' : 'false');
  },

  lg_align__deps: ['$LG'],
  lg_align: function (id, centred) {
    var el = LG.elements[id];
    el.style.textAlign = centred ? 'center' : 'left';
    el.classList.toggle('centred', !!centred);
  },

  lg_label_colors__deps: ['$LG'],
  lg_label_colors: function (id, back, fore) {
    var el = LG.elements[id];
    el.style.backgroundColor = LG.colour(back);
    el.style.color = LG.colour(fore);
  },

  lg_set_text__deps: ['$LG'],
  lg_set_text: function (id, text) { LG.elements[id].value = UTF8ToString(text); },

  lg_max_length__deps: ['$LG'],
  lg_max_length: function (id, units) { LG.elements[id].maxLength = units; },

  lg_text_room__deps: ['$LG'],
  lg_text_room: function (id) {
    var el = LG.elements[id], style = getComputedStyle(el);
    return el.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) - 1;
  },

  lg_sel_start__deps: ['$LG'],
  lg_sel_start: function (id) {
    var el = LG.elements[id];
    return LG.charactersOf(el.value, el.selectionStart || 0);
  },

  lg_sel_length__deps: ['$LG'],
  lg_sel_length: function (id) {
    var el = LG.elements[id];
    return LG.charactersOf(el.value, el.selectionEnd || 0) - LG.charactersOf(el.value, el.selectionStart || 0);
  },

  lg_select__deps: ['$LG'],
  lg_select: function (id, start, length) {
    var el = LG.elements[id];
    var from = LG.unitsOf(el.value, start), to = LG.unitsOf(el.value, start + length);
    el.setSelectionRange(from, to);
  },

  lg_line__deps: ['$LG'],
  lg_line: function (id, x1, y1, x2, y2, width, colour) {
    // A line across or down the form, `width` pixels thick around its ends'
    // row or column (the form's bars are of this kind).
    var el = LG.elements[id], half = Math.floor(width / 2);
    var across = y1 === y2;
    var l = across ? Math.min(x1, x2) : x1 - half, t = across ? y1 - half : Math.min(y1, y2);
    var w = across ? Math.abs(x2 - x1) + 1 : width, h = across ? width : Math.abs(y2 - y1) + 1;
    el._place = { l: l, t: t, w: w, h: h };
    el.style.left = l + 'px';
    el.style.top = t + 'px';
    el.style.width = w + 'px';
    el.style.height = h + 'px';
    el.style.backgroundColor = LG.colour(colour);
    LG.hideCovered();
  },

  lg_accessible_text__deps: ['$LG'],
  lg_accessible_text: function (id, text) { LG.elements[id].textContent = UTF8ToString(text); },

  lg_measure__deps: ['$LG'],
  lg_measure: function (px, bold, italic, text, out) {
    var t = LG.measure(LG.cssFont(px, bold, italic), UTF8ToString(text));
    var line = LG.lineMetrics(LG.cssFont(px, bold, italic));
    HEAPF64[out >> 3] = t.width;
    HEAPF64[(out >> 3) + 1] = -t.actualBoundingBoxLeft;
    HEAPF64[(out >> 3) + 2] = t.actualBoundingBoxRight;
    HEAPF64[(out >> 3) + 3] = line.ascent;
  },

  lg_title__deps: ['$LG'],
  lg_title: function (text) { document.title = UTF8ToString(text); },

  lg_client_size__deps: ['$LG'],
  lg_client_size: function (w, h) {
    LG.width = w;
    LG.height = h;
    var form = LG.form();
    form.style.width = w + 'px';
    form.style.height = h + 'px';
    LG.relayout();
  },

  lg_form_color__deps: ['$LG'],
  lg_form_color: function (c) {
    LG.form().style.backgroundColor = LG.colour(c);
    LG.form().parentElement.style.backgroundColor = LG.colour(c);
  },

  lg_tab_stop__deps: ['$LG'],
  lg_tab_stop: function (id) {
    // The focusable controls stand in the page in the order of the tab keys.
    LG.form().appendChild(LG.elements[id]);
  },

  lg_show_form__deps: ['$LG'],
  lg_show_form: function (first) {
    LG.relayout();
    LG.shown = true;
    for (var id = 0; id < LG.elements.length; ++id)
      if (LG.kinds[id] === LG.LABEL && LG.elements[id]) LG.keepLines(LG.elements[id]);
    LG.form().style.visibility = 'visible';
    if (first >= 0) LG.elements[first].focus({ preventScroll: true });
    // When the lesson could first be used, from the start of the page's loading.
    window.lessonShownAt = performance.now();
  },

  lg_report__deps: ['$LG'],
  lg_report: function (error, text) {
    LG.messages.push({ error: !!error, text: UTF8ToString(text) });
    var dialog = document.getElementById('message');
    if (!dialog || !dialog.open) LG.showNext();
  },

  lg_quit__deps: ['$LG'],
  lg_quit: function () {
    // A page may close only a window it opened itself (an installed app's, a
    // window opened for the lesson); otherwise the lesson ends on a screen of its own.
    window.close();
    setTimeout(function () {
      // Still here: the window stayed (some browsers report it closed all the same).
      var ended = document.getElementById('ended');
      if (ended) {
        ended.hidden = false;
        document.getElementById('stage').hidden = true;
        var again = ended.querySelector('button');
        if (again) again.focus();
      }
    }, 50);
  },

  // The canvas.

  lg_canvas_size__deps: ['$LG'],
  lg_canvas_size: function (id, w, h) {
    var canvas = LG.elements[id];
    canvas._w = w;
    canvas._h = h;
    canvas.style.width = w + 'px';
    canvas.style.height = h + 'px';
    // Placed anew, the picture starts blank.
    if (!LG.fitCanvas(canvas) && canvas._context) canvas._context.clearRect(0, 0, canvas.width, canvas.height);
  },

  lg_clear__deps: ['$LG'],
  lg_clear: function (id, colour) {
    var canvas = LG.elements[id], ctx = canvas._context;
    LG.fillWith(canvas, colour);
    ctx.fillRect(0, 0, canvas.width, canvas.height);
  },

  lg_fill__deps: ['$LG'],
  lg_fill: function (id, l, t, r, b, colour) {
    // Whole pixels of the form, as whole pixels of the canvas: sharp.
    var canvas = LG.elements[id], k = canvas._ratio, ctx = canvas._context;
    var x0 = Math.round(l * k), y0 = Math.round(t * k), x1 = Math.round((r + 1) * k), y1 = Math.round((b + 1) * k);
    LG.fillWith(canvas, colour);
    ctx.fillRect(x0, y0, x1 - x0, y1 - y0);
  },

  lg_stroke__deps: ['$LG'],
  lg_stroke: function (id, x1, y1, x2, y2, width, colour, round) {
    var canvas = LG.elements[id], k = canvas._ratio, ctx = canvas._context;
    LG.strokeWith(canvas, colour);
    ctx.lineWidth = width * k;
    ctx.lineCap = round ? 'round' : 'butt';
    ctx.beginPath();
    ctx.moveTo((x1 + 0.5) * k, (y1 + 0.5) * k);
    ctx.lineTo((x2 + 0.5) * k, (y2 + 0.5) * k);
    ctx.stroke();
  },

  lg_dot__deps: ['$LG'],
  lg_dot: function (id, cx, cy, radius, colour) {
    var canvas = LG.elements[id], k = canvas._ratio;
    var x = (cx + 0.5) * k, y = (cy + 0.5) * k, ix = Math.floor(x), iy = Math.floor(y);
    var s = LG.stamp(canvas, radius, colour, LG.phase(x - ix), LG.phase(y - iy));
    canvas._context.drawImage(s, ix - s._pad, iy - s._pad);
  },

  // The picture as a PNG image on the clipboard: 1 where the page may not
  // write it, else 2, and lg_image_handed when the browser has answered. The
  // write is asked for at once, while the key press still counts as the
  // learner's own act (Safari asks for that).
  lg_copy_image__deps: ['$LG'],
  lg_copy_image: function (id, ratio) {
    var clipboard = navigator.clipboard;
    if (!window.isSecureContext || !clipboard || !clipboard.write || typeof ClipboardItem === 'undefined') return 1;
    var made = LG.madeAgain(id, ratio);
    var png = new Promise(function (resolve, reject) {
      made.toBlob(function (blob) { if (blob) resolve(blob); else reject(new Error('no image')); }, 'image/png');
    });
    try {
      clipboard.write([new ClipboardItem({ 'image/png': png })]).then(
        function () { LG.handed(id, true); }, function () { LG.handed(id, false); });
    } catch (err) {
      return 1;
    }
    return 2;
  },

  // The picture as a PNG file: a download of that name.
  lg_save_image__deps: ['$LG'],
  lg_save_image: function (id, ratio, name) {
    var link = document.createElement('a');
    link.download = UTF8ToString(name);
    link.href = LG.madeAgain(id, ratio).toDataURL('image/png');
    link.style.display = 'none';
    document.body.appendChild(link);
    link.click();
    link.remove();
    return 0;
  },

  lg_text__deps: ['$LG'],
  lg_text: function (id, x, y, text, colour, px, bold, italic) {
    // A text is drawn once into a small canvas of its own for its font,
    // colour and place within a pixel, and stamped wherever it is printed
    // (the plane's numbers, at every step of a drag).
    var canvas = LG.elements[id], k = canvas._ratio;
    var font = LG.cssFont(px, bold, italic);
    var line = LG.lineMetrics(font);
    var X = x * k, Y = (y + line.ascent) * k, ix = Math.floor(X), iy = Math.floor(Y);
    var words = UTF8ToString(text);
    var fx = LG.phase(X - ix), fy = LG.phase(Y - iy);
    if (!canvas._texts || canvas._textsRatio !== k) {
      LG.forget(canvas._texts);
      canvas._texts = new Map();
      canvas._textsRatio = k;
    }
    var key = font + '|' + colour + '|' + fx + '|' + fy + '|' + words;
    var stamp = canvas._texts.get(key);
    if (!stamp) {
      if (canvas._texts.size > 1024) LG.forget(canvas._texts);
      var deviceFont = LG.cssFont(px * k, bold, italic);
      var m = LG.measure(deviceFont, words);
      var left = Math.ceil(m.actualBoundingBoxLeft) + 2, up = Math.ceil(m.actualBoundingBoxAscent) + 2;
      stamp = LG.picture(Math.max(1, left + Math.ceil(m.actualBoundingBoxRight) + 2),
                         Math.max(1, up + Math.ceil(m.actualBoundingBoxDescent) + 2), function (c) {
        c.font = deviceFont;
        c.fillStyle = LG.colour(colour);
        c.textBaseline = 'alphabetic';
        c.fillText(words, left + fx, up + fy);
      });
      stamp._left = left;
      stamp._up = up;
      canvas._texts.set(key, stamp);
    }
    canvas._context.drawImage(stamp, ix - stamp._left, iy - stamp._up);
    return line.height;
  },
});
