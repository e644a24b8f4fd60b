// The window system of the browser: the form's controls as elements of the
// page and the plane as a canvas. The C++ side (platform/web/) calls these
// functions; the page's events call back into it (lg_clicked, lg_mouse …).
// What is decided the same on every window system (the focus, the form's
// scale, a label's lines, a line's pixels, positions in a text) the program
// decides; the page carries it out.
//
// The page provides <div id="form"> inside <div id="stage">; everything of
// the form is made inside it, in the form's own pixels, and the form is
// scaled as a whole to fit the window.

mergeInto(LibraryManager.library, {
  $LG: {
    // Kinds of element, as the C++ side numbers them.
    FORM: 0, BUTTON: 1, BOX: 2, LABEL: 3, LINE: 4, PICTURE: 5, TEXT: 6,
    FONT: '"LessonGothic", "IPAPGothic", "IPA Pゴシック", sans-serif',

    // What the page remembers of each element of the program, by its number:
    // one record, made with the element and dropped with it.
    records: [],
    formId: -1,
    // The form: its size in its own pixels, and its scale and place in the
    // window as the program last worked them out.
    width: 876,
    height: 650,
    scale: 1,
    shown: false,      // the form has been shown
    messages: [],      // the messages waiting behind the one shown
    beforeMessage: null,  // what had the focus when the message opened
    measurer: null,    // a canvas's context that measures text
    measured: null,    // font and text -> what it measured
    measuredFont: '',  // the font the measurer is set to
    metrics: null,     // font -> {ascent, height}, made at the first measure

    record: function (kind, el) {
      return {
        kind: kind,
        el: el,
        place: null,       // where the program placed it, in the form's pixels: {l, t, w, h}
        // A picture's:
        surface: null,     // what it draws on (LG.surface)
        rect: null,        // where it stands on the page: kept while the form's scale and its place stay
        pointer: null,     // the pointer that drags it, from its press until it is let go or lost
        description: null, // the text that describes it to assistive technology
      };
    },
    // A canvas and what drawing on it keeps: its size in the form's pixels,
    // its own pixels to each of those, the colours it was last given, and the
    // dots and texts drawn once and stamped again (forgotten with its pixels).
    surface: function (canvas, w, h) {
      return {
        canvas: canvas,
        context: canvas.getContext('2d', { alpha: false }),
        w: w, h: h,
        ratio: 1,
        fill: -1, stroke: -1,
        dots: new Map(), lastDot: null,
        texts: new Map(),
      };
    },
    at: function (id) { return LG.records[id]; },

    form: function () { return document.getElementById('form'); },
    cssFont: function (px, bold, italic) {
      return (italic ? 'italic ' : '') + (bold ? 'bold ' : '') + px + 'px ' + LG.FONT;
    },
    colour: function (c) { return '#' + (c & 0xFFFFFF).toString(16).padStart(6, '0'); },
    place: function (el, l, t, w, h) {
      el.style.left = l + 'px';
      el.style.top = t + 'px';
      el.style.width = w + 'px';
      el.style.height = h + 'px';
    },
    // The surface's fill and stroke colours, set only when they change.
    fillWith: function (s, c) {
      if (s.fill === c) return;
      s.fill = c;
      s.context.fillStyle = LG.colour(c);
    },
    strokeWith: function (s, c) {
      if (s.stroke === c) return;
      s.stroke = c;
      s.context.strokeStyle = LG.colour(c);
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
    // A cache of stamps emptied, their images let go at once.
    forget: function (cache) {
      cache.forEach(function (s) { if (s.image.close) s.image.close(); });
      cache.clear();
    },
    // A surface at new pixels: blank, its colours and stamps forgotten.
    repixel: function (s, across, down) {
      s.canvas.width = across;
      s.canvas.height = down;
      s.ratio = across / s.w;
      s.fill = s.stroke = -1;
      LG.forget(s.dots);
      LG.forget(s.texts);
      s.lastDot = null;
    },
    // A dot drawn once for its radius, colour and place within a pixel, and
    // stamped wherever it is wanted.
    stamp: function (s, radius, c, fx, fy) {
      // A run of dots is one size, colour and place within a pixel.
      var key = radius + ',' + c + ',' + fx + ',' + fy;
      if (s.lastDot && s.lastDot.key === key) return s.lastDot;
      var dot = s.dots.get(key);
      if (!dot) {
        if (s.dots.size > 64) LG.forget(s.dots);
        var k = s.ratio, pad = Math.ceil(radius * k) + 2;
        dot = { key: key, pad: pad, image: LG.picture(2 * pad + 1, 2 * pad + 1, function (x) {
          x.fillStyle = LG.colour(c);
          x.beginPath();
          x.arc(pad + fx, pad + fy, radius * k, 0, 2 * Math.PI);
          x.fill();
        }) };
        s.dots.set(key, dot);
      }
      return (s.lastDot = dot);
    },
    // Where a stamp sits within a device pixel, to a quarter of one (as
    // finely as the browser places text): a drag at a scale that is not
    // whole moves by fractions, and every fraction would be a stamp of its own.
    phase: function (v) { return Math.round(v * 4) / 4; },
    shift: function (e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); },
    call: function (name, ret, types, args) { return Module.ccall(name, ret, types, args); },
    // A text to the program on the heap (a paste may be longer than its stack).
    callWithText: function (name, id, text) {
      var size = lengthBytesUTF8(text) + 1, at = Module._malloc(size);
      try {
        stringToUTF8(text, at, size);
        LG.call(name, null, ['number', 'number'], [id, at]);
      } finally {
        Module._free(at);
      }
    },

    // The form at the scale and place the program works out for the window;
    // every picture's pixels follow the screen's density times that scale,
    // and where they stand on the page is asked again.
    relayout: function () {
      var form = LG.form();
      if (!form || LG.formId < 0) return;
      var stage = form.parentElement;
      var W = stage.clientWidth || window.innerWidth, H = stage.clientHeight || window.innerHeight;
      var fitted = LG.call('lg_fit', 'number', ['number', 'number', 'number'], [LG.formId, W, H]) >> 3;
      LG.scale = HEAPF64[fitted];
      form.style.transform = 'translate(' + HEAPF64[fitted + 1] + 'px,' + HEAPF64[fitted + 2] + 'px) scale(' + LG.scale + ')';
      LG.records.forEach(function (r, id) {
        if (!r || r.kind !== LG.PICTURE) return;
        r.rect = null;
        // A canvas at a new resolution is made again from what was drawn.
        if (LG.fitCanvas(r.surface)) LG.call('lg_redraw', null, ['number'], [id]);
      });
    },
    // A canvas's pixels: the screen's density times the form's scale for
    // each pixel of the form. True when they changed (the canvas is blank).
    fitCanvas: function (s) {
      var ratio = (window.devicePixelRatio || 1) * LG.scale;
      var across = Math.max(1, Math.round(s.w * ratio)), down = Math.max(1, Math.round(s.h * ratio));
      if (s.canvas.width === across && s.canvas.height === down) return false;
      LG.repixel(s, across, down);
      return true;
    },
    watchDensity: function () {
      var query = window.matchMedia('(resolution: ' + (window.devicePixelRatio || 1) + 'dppx)');
      var changed = function () { query.removeEventListener('change', changed); LG.relayout(); LG.watchDensity(); };
      query.addEventListener('change', changed);
    },

    // The picture as drawn, made again on a canvas of its own at `ratio`
    // canvas pixels to a form pixel: the program draws it once more while
    // the picture's record stands for that canvas; the picture shown is
    // left as it is.
    madeAgain: function (id, ratio) {
      var r = LG.at(id), shown = r.surface;
      var made = LG.surface(document.createElement('canvas'), shown.w, shown.h);
      LG.repixel(made, Math.max(1, Math.round(shown.w * ratio)), Math.max(1, Math.round(shown.h * ratio)));
      r.surface = made;
      try {
        LG.call('lg_redraw', null, ['number'], [id]);
      } finally {
        r.surface = shown;
      }
      return made.canvas;
    },
    handed: function (id, taken) { LG.call('lg_image_handed', null, ['number', 'number'], [id, taken ? 1 : 0]); },

    // Text measured in the form's pixels, each text in each font once (the
    // labels are fitted again and again with the same captions).
    measure: function (font, text) {
      if (!LG.measurer) {
        LG.measurer = document.createElement('canvas').getContext('2d');
        LG.measured = new Map();
      }
      var key = font + '\n' + text, m = LG.measured.get(key);
      if (m) return m;
      if (LG.measuredFont !== font) { LG.measurer.font = font; LG.measuredFont = font; }
      m = LG.measurer.measureText(text);
      if (LG.measured.size > 4096) LG.measured.clear();
      LG.measured.set(key, m);
      return m;
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

    // Messages, one at a time, in a modal dialog. Closed, it gives the focus
    // back to what had it, and tells the program (which may send it elsewhere).
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
        // Pressed once per key press, as every button: a held key's repeats
        // (the Enter that opened the message, still down) press nothing.
        ok.addEventListener('keydown', function (e) {
          if ((e.key === 'Enter' || e.key === ' ') && e.repeat) e.preventDefault();
        });
        dialog.appendChild(text);
        dialog.appendChild(ok);
        dialog.addEventListener('close', function () {
          var more = LG.messages.length > 0;
          if (!more) {
            var back = LG.beforeMessage;
            LG.beforeMessage = null;
            if (back && back.isConnected) back.focus({ preventScroll: true });
          }
          LG.call('lg_message_closed', null, [], []);
          if (more) LG.showNext();
        });
        dialog.addEventListener('cancel', function (e) { e.preventDefault(); dialog.close(); });
        document.body.appendChild(dialog);
      }
      var m = LG.messages.shift();
      dialog.className = m.error ? 'error' : 'message';
      dialog.querySelector('.text').textContent = m.text;
      if (!dialog.open) {
        if (!LG.beforeMessage) LG.beforeMessage = document.activeElement;
        dialog.showModal();
        dialog.querySelector('button').focus();
      }
    },

    // Events of the page into the program.
    listen: function (id, r) {
      var el = r.el;
      if (r.kind === LG.BUTTON) {
        el.addEventListener('click', function () {
          if (!el.classList.contains('disabled')) LG.call('lg_clicked', null, ['number'], [id]);
        });
        el.addEventListener('keydown', function (e) {
          // A button is pressed once per key press; a held Enter repeats.
          if ((e.key === 'Enter' || e.key === ' ') && e.repeat) e.preventDefault();
        });
      } else if (r.kind === LG.BOX) {
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
        el.addEventListener('input', function () { LG.callWithText('lg_edited', id, el.value); });
      } else if (r.kind === LG.PICTURE) {
        var at = function (e) {
          // Where the plane stands on the page changes only with the form's
          // scale and its own place (both forget it): asking the page each
          // time would make it lay itself out again at every step of a drag.
          var box = r.rect || (r.rect = el.getBoundingClientRect());
          return [(e.clientX - box.left) * (r.surface.w / box.width), (e.clientY - box.top) * (r.surface.h / box.height)];
        };
        var mouse = function (what, button, e) {
          var p = at(e);
          LG.call('lg_mouse', null, ['number', 'number', 'number', 'number', 'number', 'number'],
                  [id, what, button, LG.shift(e), p[0], p[1]]);
        };
        var bit = function (b) { return b === 0 ? 1 : b === 2 ? 2 : b === 1 ? 4 : 0; };
        // One pointer drags the plane: the one pressed first, until it is let
        // go, or the plane loses it (a message opened during the drag, the
        // finger lifted where the plane cannot see it); a second finger on
        // the plane moves nothing. The plane keeps it, also outside itself.
        el.addEventListener('pointerdown', function (e) {
          if (e.pointerType !== 'mouse') e.preventDefault();
          if (r.pointer !== null && r.pointer !== e.pointerId) return;
          r.pointer = e.pointerId;
          try { el.setPointerCapture(e.pointerId); } catch (err) { /* a pointer no longer down */ }
          mouse(0, bit(e.button), e);
        });
        el.addEventListener('pointermove', function (e) {
          if (r.pointer !== null && r.pointer !== e.pointerId) return;
          mouse(1, e.buttons & 7, e);
        });
        var release = function (e) {
          if (r.pointer !== e.pointerId) return;
          r.pointer = null;
          mouse(2, bit(e.button), e);
        };
        el.addEventListener('pointerup', release);
        el.addEventListener('pointercancel', release);
        el.addEventListener('lostpointercapture', release);
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
      LG.formId = id;
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
    } else if (kind === LG.TEXT) {
      el = document.createElement('div');
      el.className = 'reading';
      el.setAttribute('role', 'status');
      el.setAttribute('aria-live', 'polite');
      el.setAttribute('aria-atomic', 'true');
    }
    var r = LG.record(kind, el);
    LG.records[id] = r;
    if (kind === LG.PICTURE) {
      r.surface = LG.surface(el, 1, 1);
      r.description = document.createElement('div');
      r.description.className = 'description';
      r.description.id = 'description-' + id;
      el.setAttribute('aria-describedby', r.description.id);
      LG.form().appendChild(r.description);
    }
    if (kind !== LG.FORM) {
      LG.form().appendChild(el);
      LG.listen(id, r);
    }
  },

  lg_destroy__deps: ['$LG'],
  lg_destroy: function (id) {
    var r = LG.at(id);
    if (r && r.kind !== LG.FORM) {
      if (r.description) r.description.remove();
      if (r.surface) { LG.forget(r.surface.dots); LG.forget(r.surface.texts); }
      r.el.remove();
    }
    if (id === LG.formId) LG.formId = -1;
    LG.records[id] = null;
  },

  lg_place__deps: ['$LG'],
  lg_place: function (id, l, t, w, h) {
    var r = LG.at(id);
    r.place = { l: l, t: t, w: w, h: h };
    r.rect = null;
    LG.place(r.el, l, t, w, h);
  },

  lg_font__deps: ['$LG'],
  lg_font: function (id, px, bold, italic) { LG.at(id).el.style.font = LG.cssFont(px, bold, italic); },

  lg_visible__deps: ['$LG'],
  lg_visible: function (id, visible) { LG.at(id).el.style.visibility = visible ? '' : 'hidden'; },

  lg_enabled__deps: ['$LG'],
  lg_enabled: function (id, enabled) {
    var r = LG.at(id), el = r.el;
    if (r.kind !== LG.BUTTON) { el.disabled = !enabled; return; }
    // A greyed button is left out of the tab keys and presses nothing, but
    // stays an element that takes the mouse, so that a press on it (as on
    // the green around it) can leave the focus where it was.
    el.classList.toggle('disabled', !enabled);
    el.setAttribute('aria-disabled', enabled ? 'false' : 'true');
    el.tabIndex = enabled ? 0 : -1;
    if (!enabled && document.activeElement === el) el.blur();
  },

  lg_focus__deps: ['$LG'],
  lg_focus: function (id) { LG.at(id).el.focus({ preventScroll: true }); },

  lg_has_focus__deps: ['$LG'],
  lg_has_focus: function (id) { return document.activeElement === LG.at(id).el ? 1 : 0; },

  lg_accessible_name__deps: ['$LG'],
  lg_accessible_name: function (id, name) {
    var r = LG.at(id), el = r.el, text = UTF8ToString(name);
    if (r.kind === LG.LABEL) {
      // A label is read by its caption; one named apart (a slot of the
      // equation) keeps that name while it shows nothing.
      if (text && text !== el.textContent) el.setAttribute('aria-label', text); else el.removeAttribute('aria-label');
      return;
    }
    if (text) el.setAttribute('aria-label', text); else el.removeAttribute('aria-label');
  },

  lg_description__deps: ['$LG'],
  lg_description: function (id, text) {
    var r = LG.at(id);
    if (r.description) r.description.textContent = UTF8ToString(text);
  },

  lg_name__deps: ['$LG'],
  lg_name: function (id, name) { LG.at(id).el.dataset.name = UTF8ToString(name); },

  lg_caption__deps: ['$LG'],
  lg_caption: function (id, text) {
    var r = LG.at(id);
    r.el.textContent = UTF8ToString(text);
  },

  lg_checked__deps: ['$LG'],
  lg_checked: function (id, checked) {
    var el = LG.at(id).el;
    el.setAttribute('role', 'radio');
    el.setAttribute('aria-checked', checked ? 'true' : 'false');
  },

  lg_align__deps: ['$LG'],
  lg_align: function (id, centred) {
    var el = LG.at(id).el;
    el.style.textAlign = centred ? 'center' : 'left';
    el.classList.toggle('centred', !!centred);
  },

  lg_label_colors__deps: ['$LG'],
  lg_label_colors: function (id, back, fore) {
    var el = LG.at(id).el;
    el.style.backgroundColor = LG.colour(back);
    el.style.color = LG.colour(fore);
  },

  // A label that shows one line, never wrapped; a centred one that is wider
  // than itself stands out on both sides, as the desktop centres it.
  lg_one_line__deps: ['$LG'],
  lg_one_line: function (id, oneLine) {
    var el = LG.at(id).el;
    el.classList.toggle('one-line', !!oneLine);
  },

  lg_set_text__deps: ['$LG'],
  lg_set_text: function (id, text) { LG.at(id).el.value = UTF8ToString(text); },

  lg_max_length__deps: ['$LG'],
  lg_max_length: function (id, units) { LG.at(id).el.maxLength = units; },

  lg_text_room__deps: ['$LG'],
  lg_text_room: function (id) {
    var el = LG.at(id).el, style = getComputedStyle(el);
    return el.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight) - 1;
  },

  // The selection, in UTF-16 units, as the program asks for it.
  lg_sel_start__deps: ['$LG'],
  lg_sel_start: function (id) { return LG.at(id).el.selectionStart || 0; },

  lg_sel_length__deps: ['$LG'],
  lg_sel_length: function (id) {
    var el = LG.at(id).el;
    return (el.selectionEnd || 0) - (el.selectionStart || 0);
  },

  lg_select__deps: ['$LG'],
  lg_select: function (id, from, to) { LG.at(id).el.setSelectionRange(from, to); },

  // A line: along an axis, exactly the pixels the program says it covers; a
  // slanted one, a bar from end to end with round ends.
  lg_line__deps: ['$LG'],
  lg_line: function (id, along, l, t, w, h, x1, y1, x2, y2, thickness, colour) {
    var r = LG.at(id), el = r.el;
    r.place = { l: l, t: t, w: w, h: h };
    if (along) {
      LG.place(el, l, t, w, h);
      el.style.transform = el.style.borderRadius = '';
    } else {
      var length = Math.hypot(x2 - x1, y2 - y1);
      LG.place(el, x1 + 0.5 - thickness / 2, y1 + 0.5 - thickness / 2, length + thickness, thickness);
      el.style.transformOrigin = thickness / 2 + 'px 50%';
      el.style.transform = 'rotate(' + Math.atan2(y2 - y1, x2 - x1) + 'rad)';
      el.style.borderRadius = thickness / 2 + 'px';
    }
    el.style.backgroundColor = LG.colour(colour);
  },

  lg_accessible_text__deps: ['$LG'],
  lg_accessible_text: function (id, text) { LG.at(id).el.textContent = UTF8ToString(text); },

  lg_measure__deps: ['$LG'],
  lg_measure: function (px, bold, italic, text, out) {
    var t = LG.measure(LG.cssFont(px, bold, italic), UTF8ToString(text));
    var line = LG.lineMetrics(LG.cssFont(px, bold, italic));
    HEAPF64[out >> 3] = t.width;
    HEAPF64[(out >> 3) + 1] = -t.actualBoundingBoxLeft;
    HEAPF64[(out >> 3) + 2] = t.actualBoundingBoxRight;
    HEAPF64[(out >> 3) + 3] = line.ascent;
    HEAPF64[(out >> 3) + 4] = line.ascent - t.actualBoundingBoxAscent;
    HEAPF64[(out >> 3) + 5] = line.ascent + t.actualBoundingBoxDescent;
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
    LG.form().appendChild(LG.at(id).el);
  },

  lg_show_form__deps: ['$LG'],
  lg_show_form: function () {
    LG.relayout();
    LG.shown = true;
    LG.form().style.visibility = 'visible';
    // When the lesson could first be used, from the start of the page's loading.
    window.lessonShownAt = performance.now();
  },

  lg_report__deps: ['$LG'],
  lg_report: function (error, text) {
    LG.messages.push({ error: !!error, text: UTF8ToString(text) });
    var dialog = document.getElementById('message');
    if (!dialog || !dialog.open) LG.showNext();
  },

  // Another page of the folder, in a new tab; this one stays.
  lg_open: function (address) { window.open(UTF8ToString(address), '_blank', 'noopener'); },

  // A label or a line that a text read as one speaks for: left out by
  // assistive technology.
  lg_unread__deps: ['$LG'],
  lg_unread: function (id, hidden) {
    var el = LG.at(id).el;
    if (hidden) el.setAttribute('aria-hidden', 'true'); else el.removeAttribute('aria-hidden');
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
    var r = LG.at(id), s = r.surface;
    s.w = w;
    s.h = h;
    r.rect = null;
    s.canvas.style.width = w + 'px';
    s.canvas.style.height = h + 'px';
    // Placed anew, the picture starts blank.
    if (!LG.fitCanvas(s)) s.context.clearRect(0, 0, s.canvas.width, s.canvas.height);
  },

  lg_clear__deps: ['$LG'],
  lg_clear: function (id, colour) {
    var s = LG.at(id).surface;
    LG.fillWith(s, colour);
    s.context.fillRect(0, 0, s.canvas.width, s.canvas.height);
  },

  lg_fill__deps: ['$LG'],
  lg_fill: function (id, l, t, r, b, colour) {
    // Whole pixels of the form, as whole pixels of the canvas: sharp.
    var s = LG.at(id).surface, k = s.ratio;
    var x0 = Math.round(l * k), y0 = Math.round(t * k), x1 = Math.round((r + 1) * k), y1 = Math.round((b + 1) * k);
    LG.fillWith(s, colour);
    s.context.fillRect(x0, y0, x1 - x0, y1 - y0);
  },

  lg_stroke__deps: ['$LG'],
  lg_stroke: function (id, x1, y1, x2, y2, width, colour, round) {
    var s = LG.at(id).surface, k = s.ratio, ctx = s.context;
    LG.strokeWith(s, colour);
    ctx.lineWidth = width * k;
    ctx.lineCap = round ? 'round' : 'butt';
    ctx.beginPath();
    ctx.moveTo((x1 + 0.5) * k, (y1 + 0.5) * k);
    ctx.lineTo((x2 + 0.5) * k, (y2 + 0.5) * k);
    ctx.stroke();
  },

  lg_dot__deps: ['$LG'],
  lg_dot: function (id, cx, cy, radius, colour) {
    var s = LG.at(id).surface, k = s.ratio;
    var x = (cx + 0.5) * k, y = (cy + 0.5) * k, ix = Math.floor(x), iy = Math.floor(y);
    var dot = LG.stamp(s, radius, colour, LG.phase(x - ix), LG.phase(y - iy));
    s.context.drawImage(dot.image, ix - dot.pad, iy - dot.pad);
  },

  lg_ring__deps: ['$LG'],
  lg_ring: function (id, cx, cy, radius, width, colour) {
    var s = LG.at(id).surface, k = s.ratio, ctx = s.context;
    LG.strokeWith(s, colour);
    ctx.lineWidth = width * k;
    ctx.beginPath();
    ctx.arc((cx + 0.5) * k, (cy + 0.5) * k, radius * k, 0, 2 * Math.PI);
    ctx.stroke();
  },

  lg_text__deps: ['$LG'],
  lg_text: function (id, x, y, text, colour, px, bold, italic) {
    // A text is drawn once into a small image of its own for its font,
    // colour and place within a pixel, and stamped wherever it is printed
    // (the plane's numbers, at every step of a drag).
    var s = LG.at(id).surface, k = s.ratio;
    var font = LG.cssFont(px, bold, italic);
    var line = LG.lineMetrics(font);
    var X = x * k, Y = (y + line.ascent) * k, ix = Math.floor(X), iy = Math.floor(Y);
    var words = UTF8ToString(text);
    var fx = LG.phase(X - ix), fy = LG.phase(Y - iy);
    var key = font + '|' + colour + '|' + fx + '|' + fy + '|' + words;
    var stamp = s.texts.get(key);
    if (!stamp) {
      if (s.texts.size > 1024) LG.forget(s.texts);
      var deviceFont = LG.cssFont(px * k, bold, italic);
      var m = LG.measure(deviceFont, words);
      var left = Math.ceil(m.actualBoundingBoxLeft) + 2, up = Math.ceil(m.actualBoundingBoxAscent) + 2;
      stamp = { left: left, up: up, image: LG.picture(Math.max(1, left + Math.ceil(m.actualBoundingBoxRight) + 2),
        Math.max(1, up + Math.ceil(m.actualBoundingBoxDescent) + 2), function (c) {
          c.font = deviceFont;
          c.fillStyle = LG.colour(colour);
          c.textBaseline = 'alphabetic';
          c.fillText(words, left + fx, up + fy);
        }) };
      s.texts.set(key, stamp);
    }
    s.context.drawImage(stamp.image, ix - stamp.left, iy - stamp.up);
    return line.height;
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
});
