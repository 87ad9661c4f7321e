// The cage viewer of a page written by `trellis build --html`: draws each
// frame's cages with three.js, lets the user orbit, pan, zoom, pick a view,
// step through the frames and point at a curve to have it named. The page
// holds its cages as base64 typed arrays (see html_writer.h); a frame is
// decoded the first time it is shown.
(function () {
  'use strict';

  const startMillis = performance.now();
  const data = JSON.parse(document.getElementById('trellis-data').textContent);

  // Where the camera looks from, relative to what it looks at; Z is up. The
  // top view leans a hair towards -Y so that "up" stays defined (Y up on screen).
  const VIEWS = {
    top: new THREE.Vector3(0, -1e-4, 1),
    front: new THREE.Vector3(0, -1, 0),
    left: new THREE.Vector3(-1, 0, 0),
    iso: new THREE.Vector3(1, -1, 1),
  };
  const PICK_PIXELS = 6;            // how near the pointer a curve is picked
  const KNOT_PICK_PIXELS = 8;       // ... and a knot of the picked curve named
  const THICK_SEGMENT_LIMIT = 400000;   // above, section copies are drawn 1 px wide
  const HOVER_SEGMENT_LIMIT = 300000;   // above, curves are named on click, not on hover
  const ANTIALIAS_POINT_LIMIT = 150000;  // above, the first frame's curves are drawn without multisampling
  const JOIN_KNOTS_SHOWN = 8;
  const PLAY_INTERVAL_MS = 700;
  const HIGHLIGHT_COLOUR = '#fcc419';

  // ---- the page's parts -------------------------------------------------

  function element(tag, attributes, children) {
    const node = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes || {})) {
      if (name === 'text') node.textContent = value;
      else node.setAttribute(name, value);
    }
    for (const child of children || []) node.appendChild(child);
    return node;
  }

  const toolbar = element('header', { id: 'toolbar' });
  const viewport = element('main', { id: 'viewport' });
  const pickInfo = element('div', { id: 'pick-info' });
  const side = element('aside', { id: 'side' });
  document.body.append(toolbar, viewport, side);

  // ---- the frames' data -------------------------------------------------

  function blockBytes(id) {
    const text = document.getElementById(id).textContent;
    if (Uint8Array.fromBase64) return Uint8Array.fromBase64(text).buffer;   // ten times faster where there is one
    const raw = atob(text);
    const bytes = new Uint8Array(raw.length);
    for (let i = 0; i < raw.length; ++i) bytes[i] = raw.charCodeAt(i);
    return bytes.buffer;
  }

  // One object at one time: its points, its cage splines as runs of points,
  // and which points are knots (with their index along their spline).
  function decodeCage(f, o, description) {
    const points = new Float32Array(blockBytes('points-' + f + '-' + o));
    const curveWords = new Uint32Array(blockBytes('curves-' + f + '-' + o));
    const knotWords = new Uint32Array(blockBytes('knots-' + f + '-' + o));
    const curves = [];
    for (let c = 0; 2 * c < curveWords.length; ++c) {
      const word = curveWords[2 * c + 1];
      curves.push({
        index: c, first: curveWords[2 * c], count: word & 0x7fffffff, closed: (word >>> 31) === 1,
        section: c < description.sectionCopies,
      });
    }
    const knotAt = new Map();
    for (let k = 0; 2 * k < knotWords.length; ++k) knotAt.set(knotWords[2 * k], knotWords[2 * k + 1]);
    return { description, points, curves, knotWords, knotAt, sectionKnots: null };
  }

  // The segments of one kind of curve (section copies or connecting
  // splines) as index pairs, with the first segment of each drawn curve so
  // that a picked segment finds its curve.
  function segmentsOf(cage, sections) {
    const drawn = cage.curves.filter((c) => c.section === sections && c.count >= 2);
    const starts = new Uint32Array(drawn.length + 1);
    drawn.forEach((c, i) => { starts[i + 1] = starts[i] + c.count - 1 + (c.closed ? 1 : 0); });
    const index = new Uint32Array(2 * starts[drawn.length]);
    let at = 0;
    for (const c of drawn) {
      for (let p = c.first; p + 1 < c.first + c.count; ++p) { index[at++] = p; index[at++] = p + 1; }
      if (c.closed) { index[at++] = c.first + c.count - 1; index[at++] = c.first; }
    }
    return { drawn, starts, index };
  }

  function curveOfSegment(segments, segment) {
    let low = 0, high = segments.drawn.length - 1;
    while (low < high) {
      const middle = (low + high + 1) >> 1;
      if (segments.starts[middle] <= segment) low = middle; else high = middle - 1;
    }
    return segments.drawn[low];
  }

  // ---- drawing ----------------------------------------------------------

  // Multisampling smooths a few curves; over a dense cage it changes little
  // and, on a software renderer, multiplies the drawing time (3 s instead of
  // 0.3 s for 1.2 million segments).
  const firstFramePoints = data.frames.length === 0 ? 0
    : data.frames[0].objects.reduce((sum, o) => sum + o.points, 0);
  let renderer;
  try {
    renderer = new THREE.WebGLRenderer({ antialias: firstFramePoints <= ANTIALIAS_POINT_LIMIT });
  } catch (e) {
    viewport.appendChild(element('p', { text: 'This browser cannot draw WebGL, which the cage view needs.' }));
    return;
  }
  renderer.setPixelRatio(window.devicePixelRatio || 1);
  renderer.setClearColor(0xffffff);
  viewport.appendChild(renderer.domElement);
  viewport.appendChild(pickInfo);
  const canvas = renderer.domElement;

  const scene = new THREE.Scene();
  const camera = new THREE.OrthographicCamera(-1, 1, 1, -1, 0, 10);
  camera.up.set(0, 0, 1);   // before the controls, which orbit about it
  const controls = new THREE.OrbitControls(camera, canvas);
  controls.screenSpacePanning = true;
  const raycaster = new THREE.Raycaster();
  const thickMaterials = [];
  let highlight = null;
  let renderPending = false;

  function render() {
    renderPending = false;
    renderer.render(scene, camera);
  }

  function requestRender() {
    if (!renderPending) {
      renderPending = true;
      requestAnimationFrame(render);
    }
  }
  controls.addEventListener('change', requestRender);

  function lineObject(geometry, colour) {
    return new THREE.LineSegments(geometry, new THREE.LineBasicMaterial({ color: colour }));
  }

  function thickSectionLines(cage, segments) {
    const pairs = new Float32Array(segments.index.length * 3);
    for (let i = 0; i < segments.index.length; ++i) {
      const p = 3 * segments.index[i];
      pairs[3 * i] = cage.points[p]; pairs[3 * i + 1] = cage.points[p + 1]; pairs[3 * i + 2] = cage.points[p + 2];
    }
    const geometry = new THREE.LineSegmentsGeometry().setPositions(pairs);
    const material = new THREE.LineMaterial({ color: data.sectionColour, linewidth: 2.5 });
    material.resolution.set(canvas.clientWidth || 1, canvas.clientHeight || 1);
    thickMaterials.push(material);
    return new THREE.LineSegments2(geometry, material);
  }

  function knotMarks(cage) {
    const positions = new Float32Array(cage.knotWords.length / 2 * 3);
    for (let k = 0; 2 * k < cage.knotWords.length; ++k) positions.set(cage.points.subarray(3 * cage.knotWords[2 * k], 3 * cage.knotWords[2 * k] + 3), 3 * k);
    const geometry = new THREE.BufferGeometry();
    geometry.setAttribute('position', new THREE.BufferAttribute(positions, 3));
    return new THREE.Points(geometry, new THREE.PointsMaterial({ color: data.sectionColour, size: 5, sizeAttenuation: false }));
  }

  // The scene objects of one frame; what can be picked is each cage's thin
  // lines, which know their cage and kind of curve.
  function buildFrame(f) {
    const frame = data.frames[f];
    const group = new THREE.Group();
    const built = { group, cages: [], pickables: [], segmentCount: 0, box: new THREE.Box3() };
    frame.objects.forEach((description, o) => {
      const cage = decodeCage(f, o, description);
      const position = new THREE.BufferAttribute(cage.points, 3);
      const kinds = { sections: segmentsOf(cage, true), connections: segmentsOf(cage, false) };
      for (const [name, segments] of Object.entries(kinds)) {
        const geometry = new THREE.BufferGeometry();
        geometry.setAttribute('position', position);
        geometry.setIndex(new THREE.BufferAttribute(segments.index, 1));
        const lines = lineObject(geometry, name === 'sections' ? data.sectionColour : description.colour);
        lines.userData = { cage, segments };
        group.add(lines);
        built.pickables.push(lines);
        built.segmentCount += segments.index.length / 2;
      }
      if (kinds.sections.index.length > 0 && kinds.sections.index.length / 2 <= THICK_SEGMENT_LIMIT)
        group.add(thickSectionLines(cage, kinds.sections));
      if (frame.knotsMarked && cage.knotWords.length > 0) group.add(knotMarks(cage));
      cage.drawn = { sections: kinds.sections.drawn.length, connections: kinds.connections.drawn.length };
      if (cage.points.length > 0) {
        const box = new THREE.Box3().setFromArray(cage.points);
        built.box.union(box);
      }
      built.cages.push(cage);
    });
    return built;
  }

  // ---- the camera -------------------------------------------------------

  let viewName = 'iso';

  function frameSphere() {
    const sphere = new THREE.Sphere();
    if (current.box.isEmpty()) return new THREE.Sphere(new THREE.Vector3(), 1);
    current.box.getBoundingSphere(sphere);
    if (!(sphere.radius > 0) || !isFinite(sphere.radius)) sphere.radius = 1;
    return sphere;
  }

  function setFrustum(halfHeight) {
    const aspect = (canvas.clientWidth || 1) / (canvas.clientHeight || 1);
    camera.top = halfHeight; camera.bottom = -halfHeight;
    camera.left = -halfHeight * aspect; camera.right = halfHeight * aspect;
    camera.updateProjectionMatrix();
  }

  // Looks at the whole frame from `direction` (or the current one).
  function fit(direction) {
    const sphere = frameSphere();
    const from = direction ? direction.clone().normalize()
      : camera.position.clone().sub(controls.target).normalize();
    camera.position.copy(sphere.center).addScaledVector(from, 4 * sphere.radius);
    camera.near = 0; camera.far = 8 * sphere.radius;
    camera.zoom = 1;
    controls.target.copy(sphere.center);
    setFrustum(1.08 * sphere.radius);
    camera.lookAt(sphere.center);
    controls.update();
    requestRender();
  }

  function setView(name) {
    viewName = name;
    fit(VIEWS[name]);
  }

  function resize() {
    const width = viewport.clientWidth, height = viewport.clientHeight;
    renderer.setSize(width, height);
    for (const material of thickMaterials) material.resolution.set(width, height);
    if (highlight) highlight.traverse((o) => { if (o.material && o.material.resolution) o.material.resolution.set(width, height); });
    setFrustum(camera.top);
    requestRender();
  }

  // ---- picking ----------------------------------------------------------

  function toScreen(point) {
    camera.updateMatrixWorld();   // the view may have changed since the last drawing
    const p = point.clone().project(camera);
    const rect = canvas.getBoundingClientRect();
    return { x: rect.left + (p.x + 1) / 2 * rect.width, y: rect.top + (1 - p.y) / 2 * rect.height };
  }

  function pointOf(cage, index) {
    return new THREE.Vector3().fromArray(cage.points, 3 * index);
  }

  function worldPerPixel() {
    return (camera.top - camera.bottom) / camera.zoom / (canvas.clientHeight || 1);
  }

  // The curve under the pointer (the nearest on screen, then the nearest
  // to the eye) and, when the pointer is at one of its knots, that knot.
  function pickAt(x, y) {
    const rect = canvas.getBoundingClientRect();
    const ndc = new THREE.Vector2((x - rect.left) / rect.width * 2 - 1, -((y - rect.top) / rect.height) * 2 + 1);
    raycaster.linePrecision = PICK_PIXELS * worldPerPixel();
    camera.updateMatrixWorld();
    raycaster.setFromCamera(ndc, camera);
    let best = null, bestPixels = Infinity;
    for (const hit of raycaster.intersectObjects(current.pickables, false)) {
      const s = toScreen(hit.point);
      const pixels = Math.hypot(s.x - x, s.y - y);
      if (pixels < bestPixels - 0.5 || (Math.abs(pixels - bestPixels) <= 0.5 && hit.distance < best.distance)) {
        best = hit; bestPixels = pixels;
      }
    }
    if (!best) return null;
    const { cage, segments } = best.object.userData;
    const curve = curveOfSegment(segments, best.index / 2);
    let knot = null;
    for (const p of [segments.index[best.index], segments.index[best.index + 1]]) {
      if (!cage.knotAt.has(p)) continue;
      const s = toScreen(pointOf(cage, p));
      const pixels = Math.hypot(s.x - x, s.y - y);
      if (pixels <= KNOT_PICK_PIXELS && (!knot || pixels < knot.pixels)) knot = { point: p, number: cage.knotAt.get(p), pixels };
    }
    return { cage, curve, knot };
  }

  function quoted(name) {
    return JSON.stringify(name === undefined ? '' : name);
  }

  function coordinate(value) {
    return String(Number(value.toPrecision(6)));
  }

  function pointKey(cage, p) {
    return cage.points[3 * p] + ',' + cage.points[3 * p + 1] + ',' + cage.points[3 * p + 2];
  }

  // Knot points of the section copies, by position: the knots of a
  // connecting spline are knots of sections, the same floats.
  function sectionKnots(cage) {
    if (cage.sectionKnots) return cage.sectionKnots;
    cage.sectionKnots = new Map();
    for (const curve of cage.curves) {
      if (!curve.section) continue;
      forEachKnot(cage, curve, (p, number) => {
        const key = pointKey(cage, p);
        if (!cage.sectionKnots.has(key)) cage.sectionKnots.set(key, { section: curve.index, knot: number });
      });
    }
    return cage.sectionKnots;
  }

  function forEachKnot(cage, curve, visit) {
    const words = cage.knotWords;
    let low = 0, high = words.length / 2;
    while (low < high) {
      const middle = (low + high) >> 1;
      if (words[2 * middle] < curve.first) low = middle + 1; else high = middle;
    }
    for (let k = low; 2 * k < words.length && words[2 * k] < curve.first + curve.count; ++k) visit(words[2 * k], words[2 * k + 1]);
  }

  function joinedKnots(cage, curve) {
    const byPoint = sectionKnots(cage);
    const joined = [];
    forEachKnot(cage, curve, (p) => {
      const found = byPoint.get(pointKey(cage, p));
      if (found) joined.push(found);
    });
    return joined;
  }

  function describe(pick) {
    const { cage, curve, knot } = pick;
    const d = cage.description;
    const lines = [];
    if (curve.section) {
      lines.push('Section copy of ' + quoted(d.sectionNames[curve.index]) + ' from slot ' + d.sectionSlots[curve.index] +
        ' (' + quoted(d.name) + ', cage spline ' + curve.index + ')');
    } else {
      lines.push('Connecting spline ' + (curve.index - d.sectionCopies) + ' of ' + quoted(d.name) +
        ' (cage spline ' + curve.index + ')');
      const joined = joinedKnots(cage, curve);
      if (joined.length > 0) {
        const shown = joined.slice(0, JOIN_KNOTS_SHOWN).map((j) =>
          'knot ' + j.knot + ' of ' + j.section + ' ' + quoted(d.sectionNames[j.section]));
        if (joined.length > JOIN_KNOTS_SHOWN) shown.push('\u2026 (' + joined.length + ' knots in all)');
        lines.push('joins ' + shown.join(' \u2192 '));
      }
    }
    if (knot) {
      const p = pointOf(cage, knot.point);
      lines.push('knot ' + knot.number + ' at (' + coordinate(p.x) + ', ' + coordinate(p.y) + ', ' + coordinate(p.z) + ')');
    }
    return lines.join('\n');
  }

  function showHighlight(pick) {
    if (highlight) {
      scene.remove(highlight);
      highlight.traverse((o) => { if (o.geometry) o.geometry.dispose(); });
      highlight = null;
    }
    if (pick) {
      const { cage, curve, knot } = pick;
      const last = curve.count - (curve.closed ? 0 : 1);
      const pairs = new Float32Array(6 * last);
      for (let i = 0; i < last; ++i) {
        pairs.set(cage.points.subarray(3 * (curve.first + i), 3 * (curve.first + i) + 3), 6 * i);
        const next = curve.first + (i + 1) % curve.count;
        pairs.set(cage.points.subarray(3 * next, 3 * next + 3), 6 * i + 3);
      }
      const material = new THREE.LineMaterial({ color: HIGHLIGHT_COLOUR, linewidth: 5, depthTest: false });
      material.resolution.set(canvas.clientWidth || 1, canvas.clientHeight || 1);
      highlight = new THREE.Group();
      const line = new THREE.LineSegments2(new THREE.LineSegmentsGeometry().setPositions(pairs), material);
      line.renderOrder = 1;
      highlight.add(line);
      if (knot) {
        const mark = new THREE.BufferGeometry();
        mark.setAttribute('position', new THREE.BufferAttribute(cage.points.slice(3 * knot.point, 3 * knot.point + 3), 3));
        const dot = new THREE.Points(mark, new THREE.PointsMaterial({ color: data.sectionColour, size: 11, sizeAttenuation: false, depthTest: false }));
        dot.renderOrder = 2;
        highlight.add(dot);
      }
      scene.add(highlight);
    }
    pickInfo.textContent = pick ? describe(pick) : '';
    requestRender();
  }

  function pointAt(x, y) {
    showHighlight(pickAt(x, y));
  }

  let hoverAt = null;
  canvas.addEventListener('mousemove', (event) => {
    if (current.segmentCount > HOVER_SEGMENT_LIMIT || event.buttons !== 0) return;
    if (hoverAt === null) requestAnimationFrame(() => { pointAt(hoverAt.x, hoverAt.y); hoverAt = null; });
    hoverAt = { x: event.clientX, y: event.clientY };
  });
  // A click names what is under it; the end of a drag that turned the view does not.
  let downAt = null;
  canvas.addEventListener('mousedown', (event) => { downAt = { x: event.clientX, y: event.clientY }; });
  canvas.addEventListener('click', (event) => {
    if (downAt && Math.hypot(event.clientX - downAt.x, event.clientY - downAt.y) > 4) return;
    pointAt(event.clientX, event.clientY);
  });

  // ---- frames, legend, report -------------------------------------------

  const frames = [];
  let current = null;
  let currentIndex = -1;
  const legend = element('div', { id: 'legend' });
  const report = element('pre', { id: 'report' });
  side.append(element('h2', { text: 'Objects' }), legend, element('h2', { text: 'Join report' }), report);

  function keyLine(frame) {
    const lines = [
      element('div', { class: 'key' }, [element('span', { class: 'swatch', style: 'border-color:' + data.sectionColour }),
        element('span', { text: 'section copies' })]),
      element('div', { class: 'key' }, [element('span', { class: 'swatch thin', style: 'border-color:' + (frame.objects[0] ? frame.objects[0].colour : data.sectionColour) }),
        element('span', { text: 'connecting splines (one colour per object)' })]),
    ];
    lines.push(frame.knotsMarked
      ? element('div', { class: 'key' }, [element('span', { class: 'dot', style: 'background:' + data.sectionColour }), element('span', { text: 'knots' })])
      : element('div', { class: 'key' }, [element('span', { text: 'knots not marked (more than ' + data.maxKnotMarks + ')' })]));
    return lines;
  }

  function showLegend(frame) {
    legend.replaceChildren(...keyLine(frame), ...frame.objects.map((d) => element('div', { class: 'entry' }, [
      element('span', { class: 'swatch', style: 'border-color:' + d.colour }),
      element('div', {}, [element('div', { class: 'name', text: d.name }),
        ...d.legend.map((line) => element('div', { text: line }))]),
    ])));
    report.textContent = frame.objects.map((d) => d.report).join('');
  }

  let timeLabel = null, slider = null;

  function setFrame(index) {
    index = ((index % data.frames.length) + data.frames.length) % data.frames.length;
    if (index === currentIndex) return;
    if (current) scene.remove(current.group);
    if (!frames[index]) frames[index] = buildFrame(index);
    current = frames[index];
    currentIndex = index;
    scene.add(current.group);
    showHighlight(null);
    const frame = data.frames[index];
    showLegend(frame);
    if (timeLabel) timeLabel.textContent = 'time ' + frame.time + ' (' + (index + 1) + ' of ' + data.frames.length + ')';
    if (slider) slider.value = String(index);
    requestRender();
  }

  // ---- the toolbar ------------------------------------------------------

  function button(text, title, onClick) {
    const b = element('button', { type: 'button', title: title, text: text });
    b.addEventListener('click', onClick);
    return b;
  }

  function buildToolbar() {
    toolbar.appendChild(element('h1', { text: document.title }));
    const views = element('div', { class: 'group' });
    for (const name of ['top', 'front', 'left', 'iso'])
      views.appendChild(button(name[0].toUpperCase() + name.slice(1), 'Look from the ' + name + ' view', () => setView(name)));
    views.appendChild(button('Fit', 'Show the whole frame', () => fit(null)));
    toolbar.appendChild(views);
    if (data.frames.length < 2) return;
    let playing = null;
    const play = button('Play', 'Step through the frames', () => {
      if (playing) { clearInterval(playing); playing = null; play.textContent = 'Play'; return; }
      playing = setInterval(() => setFrame(currentIndex + 1), PLAY_INTERVAL_MS);
      play.textContent = 'Pause';
    });
    slider = element('input', { type: 'range', min: '0', max: String(data.frames.length - 1), step: '1', value: '0', 'aria-label': 'frame' });
    slider.addEventListener('input', () => setFrame(Number(slider.value)));
    timeLabel = element('span', { id: 'time' });
    toolbar.appendChild(element('div', { class: 'group' }, [
      button('\u25c0', 'Previous frame', () => setFrame(currentIndex - 1)), slider,
      button('\u25b6', 'Next frame', () => setFrame(currentIndex + 1)), play, timeLabel]));
  }

  // ---- start ------------------------------------------------------------

  buildToolbar();
  window.addEventListener('resize', resize);
  if (data.frames.length > 0) setFrame(0);
  else current = { group: new THREE.Group(), cages: [], pickables: [], segmentCount: 0, box: new THREE.Box3() };
  resize();
  setView(viewName);

  // For tests and scripts: what is drawn, where, and ways to drive the view.
  const view = {
    ready: false,
    startMillis,        // since navigation began: when this script started
    loadMillis: null,   // ... and when the first frame was drawn
    frameCount: data.frames.length,
    frame: () => currentIndex,
    setFrame: (index) => { setFrame(index); render(); },
    setView: (name) => { setView(name); render(); },
    fit: () => { fit(null); render(); },
    // Per object of the frame shown: curves drawn of each kind, knots marked.
    counts: () => current.cages.map((cage) => ({
      name: cage.description.name, sections: cage.drawn.sections, connections: cage.drawn.connections,
      knots: data.frames[currentIndex].knotsMarked ? cage.knotWords.length / 2 : 0,
    })),
    // Where point `point` of cage spline `curve` of object `object` is on screen (client pixels).
    screenPoint: (object, curve, point) => {
      const cage = current.cages[object];
      const c = cage && cage.curves[curve];
      if (!c || point < 0 || point >= c.count) return null;
      return toScreen(pointOf(cage, c.first + point));
    },
    pickText: () => pickInfo.textContent,
  };
  window.trellisView = view;
  // Ready once the first drawing has reached the screen: the frame after it.
  requestAnimationFrame(() => {
    render();
    requestAnimationFrame(() => {
      view.loadMillis = performance.now();
      view.ready = true;
    });
  });
})();
