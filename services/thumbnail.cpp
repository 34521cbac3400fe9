#include "services/thumbnail.h"

#include <dshow.h>
#include <qedit.h>
#include <vfw.h>

#include <cstdint>
#include <new>
#include <vector>

#include "services/media_device.h"
#include "services/app_state.h"
#include "services/texts.h"
#include "services/settings.h"
#include "services/user_file.h"
#include "core/bmp_file.h"
#include "core/scaler.h"

namespace {

// The platform headers declare the sample grabber's interface but not its class.
const CLSID kClsidSampleGrabber = {
    0xC1F400A0, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
const CLSID kClsidNullRenderer = {
    0xC1F400A4, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

// How long a media file may take to deliver its first video frame.
const DWORD kFirstFrameWaitMs = 3000;
const DWORD kFramePollMs = 20;
// How long the program waits for a whole decode: building the graph, the frame and the stop.
const DWORD kDecodeLimitMs = 5000;

template <class T> void Release(T *&object) {
    if (object) object->Release();
    object = nullptr;
}

// The bytes a decoded frame holds: its header and the rows its size needs. A frame whose
// header claims more pixel bytes than that is refused by the writer.
size_t DecodedFrameBytes(const void *frame) {
    PictureHeader header;
    if (!ReadPictureHeader(static_cast<const uint8_t *>(frame), kPictureHeaderBytes, &header))
        return 0;
    header.imageSize = 0;
    const uint32_t rows = PicturePixelBytes(header);
    return rows ? kPictureHeaderBytes + rows : 0;
}

// The frame number stays 0 from now on, in the registry as well.
void ResetCaptureFrame() {
    g_app.settings.Capture = 0;
    for (const SettingRow &row : SettingsRows(g_app.settings))
        if (row.number == &g_app.settings.Capture) WriteSettingRow(g_app.keys, row);
}

void (*g_notWritten)();

// A thumbnail that cannot be written is told at once: the list would show no picture.
void WriteThumbnail(const wchar_t *path, const void *picture, size_t bytes) {
    if (!WriteBmpFile(path, picture, bytes) && g_notWritten) g_notWritten();
}

// Frame `Capture` of the file's first video stream, decoded to 24 bits. Returns false when
// the AVI library opens no video stream of the file or has no decoder for its frames (MJPEG,
// top-down raw frames), so the filter graph's first frame may be tried instead.
bool GrabAviFrame(const wchar_t *mediaPath, const wchar_t *bitmapPath) {
    AviFrameReader reader;
    if (!reader.OpenStream(mediaPath) || !reader.OpenDecoder()) return false;
    size_t bytes = 0;
    const LONG capture = g_app.settings.Capture;
    const void *frame = capture >= 0 ? reader.Frame(capture, &bytes) : nullptr;
    if (!frame) {
        ResetCaptureFrame();
        frame = reader.Frame(0, &bytes);
    }
    if (frame) WriteThumbnail(bitmapPath, frame, bytes);
    return true;
}

void FreeMediaType(AM_MEDIA_TYPE &type) {
    if (type.pbFormat) CoTaskMemFree(type.pbFormat);
    type.pbFormat = nullptr;
    type.cbFormat = 0;
    Release(type.pUnk);
}

// The filter graph that takes the file's video through a sample grabber.
struct GrabGraph {
    IGraphBuilder *graph = nullptr;
    IBaseFilter *filter = nullptr;
    ISampleGrabber *grabber = nullptr;
    IMediaControl *control = nullptr;
    IMediaEvent *events = nullptr;
    IVideoWindow *window = nullptr;

    ~GrabGraph() {
        if (control) control->Stop();
        Release(window);
        Release(events);
        Release(control);
        Release(grabber);
        Release(filter);
        Release(graph);
    }

    bool Build(const wchar_t *mediaPath) {
        if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IGraphBuilder, reinterpret_cast<void **>(&graph))) ||
            FAILED(CoCreateInstance(kClsidSampleGrabber, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IBaseFilter, reinterpret_cast<void **>(&filter))) ||
            FAILED(filter->QueryInterface(IID_ISampleGrabber, reinterpret_cast<void **>(&grabber))))
            return false;
        AM_MEDIA_TYPE wanted = {};
        wanted.majortype = MEDIATYPE_Video;
        wanted.subtype = MEDIASUBTYPE_RGB24;
        wanted.formattype = FORMAT_VideoInfo;
        if (FAILED(grabber->SetMediaType(&wanted)) ||
            FAILED(graph->AddFilter(filter, L"Sample Grabber")) ||
            FAILED(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void **>(&control))) ||
            FAILED(graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void **>(&events))))
            return false;
        if (ConnectVideoOnly(mediaPath)) return true;
        BSTR path = SysAllocString(mediaPath);
        const HRESULT rendered = path ? control->RenderFile(path) : E_OUTOFMEMORY;
        SysFreeString(path);
        if (FAILED(rendered)) return false;
        // The graph's own window stays hidden and belongs to nothing of the program: a
        // window of this thread under the playback window would make that window wait for
        // this thread, which may never answer again.
        if (SUCCEEDED(
                graph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void **>(&window)))) {
            window->put_AutoShow(OAFALSE);
            window->put_Visible(OAFALSE);
        }
        return true;
    }

    // The file's video alone, into the grabber and on to a renderer that shows nothing: no
    // sound device and no video window are set up for one frame. False (and the graph as it
    // was) when the platform cannot connect it so.
    bool ConnectVideoOnly(const wchar_t *mediaPath) {
        IBaseFilter *source = nullptr, *sink = nullptr;
        IPin *sourceOut = nullptr, *grabIn = nullptr, *grabOut = nullptr,
             *sinkIn = nullptr;
        bool ok = SUCCEEDED(graph->AddSourceFilter(mediaPath, L"Source", &source)) &&
                  SUCCEEDED(CoCreateInstance(kClsidNullRenderer, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IBaseFilter, reinterpret_cast<void **>(&sink))) &&
                  SUCCEEDED(graph->AddFilter(sink, L"Null Renderer"));
        if (ok) {
            sourceOut = FirstPin(source, PINDIR_OUTPUT);
            grabIn = FirstPin(filter, PINDIR_INPUT);
            grabOut = FirstPin(filter, PINDIR_OUTPUT);
            sinkIn = FirstPin(sink, PINDIR_INPUT);
            ok = sourceOut && grabIn && grabOut && sinkIn &&
                 SUCCEEDED(graph->Connect(sourceOut, grabIn)) &&
                 SUCCEEDED(graph->Connect(grabOut, sinkIn));
        }
        Release(sourceOut);
        Release(grabIn);
        Release(grabOut);
        Release(sinkIn);
        if (!ok) RemoveAllBut(filter);  // with whatever the connect put between
        Release(source);
        Release(sink);
        return ok;
    }

    static IPin *FirstPin(IBaseFilter *of, PIN_DIRECTION direction) {
        IEnumPins *pins = nullptr;
        if (!of || FAILED(of->EnumPins(&pins))) return nullptr;
        IPin *pin = nullptr, *found = nullptr;
        while (!found && pins->Next(1, &pin, nullptr) == S_OK) {
            PIN_DIRECTION d;
            if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction) found = pin;
            else pin->Release();
        }
        pins->Release();
        return found;
    }

    void RemoveAllBut(IBaseFilter *kept) {
        IEnumFilters *filters = nullptr;
        if (FAILED(graph->EnumFilters(&filters))) return;
        std::vector<IBaseFilter *> gone;
        IBaseFilter *f = nullptr;
        while (filters->Next(1, &f, nullptr) == S_OK) {
            if (f == kept) f->Release();
            else gone.push_back(f);
        }
        filters->Release();
        for (IBaseFilter *g : gone) {
            graph->RemoveFilter(g);
            g->Release();
        }
    }

    // The connected picture's 40-byte header.
    bool ConnectedHeader(BITMAPINFOHEADER *header) {
        AM_MEDIA_TYPE type = {};
        if (FAILED(grabber->GetConnectedMediaType(&type))) return false;
        const bool ok = type.formattype == FORMAT_VideoInfo && type.pbFormat &&
                        type.cbFormat >= sizeof(VIDEOINFOHEADER);
        if (ok) *header = reinterpret_cast<const VIDEOINFOHEADER *>(type.pbFormat)->bmiHeader;
        FreeMediaType(type);
        return ok;
    }

    // Moves the graph to `positionMs` before it runs; the start needs no move.
    void SeekTo(DWORD positionMs) {
        if (positionMs == 0) return;
        IMediaSeeking *seeking = nullptr;
        if (FAILED(graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void **>(&seeking))))
            return;
        LONGLONG at = LONGLONG(positionMs) * 10000;  // in 100 ns units
        seeking->SetPositions(&at, AM_SEEKING_AbsolutePositioning, nullptr,
                              AM_SEEKING_NoPositioning);
        seeking->Release();
    }

    // Runs the graph until the grabber holds its first sample, for a bounded time. The size
    // comes from the grabber: the connected type's sample size is not to be trusted.
    long RunUntilFirstSample() {
        grabber->SetBufferSamples(TRUE);
        grabber->SetOneShot(TRUE);
        if (FAILED(control->Run())) return 0;
        const DWORD start = GetTickCount();
        for (;;) {
            long size = 0;
            if (grabber->GetCurrentBuffer(&size, nullptr) == S_OK && size > 0) return size;
            if (GetTickCount() - start >= kFirstFrameWaitMs) return 0;
            // What the graph's window is sent on this thread is answered.
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            long code = 0;
            if (events->WaitForCompletion(kFramePollMs, &code) == S_OK) {
                // Finished or failed: a sample is there now or never.
                size = 0;
                return grabber->GetCurrentBuffer(&size, nullptr) == S_OK && size > 0 ? size : 0;
            }
        }
    }
};

// The decode in the calling thread; it can wait for good in the platform's media parser.
bool DecodeVideoFrameNow(const wchar_t *mediaPath, DWORD positionMs,
                         std::vector<uint8_t> *picture) {
    picture->clear();
    const bool uninitialise = SUCCEEDED(CoInitialize(nullptr));
    {
        GrabGraph graph;
        BITMAPINFOHEADER header = {};
        if (graph.Build(mediaPath) && graph.ConnectedHeader(&header)) {
            graph.SeekTo(positionMs);
            const long size = graph.RunUntilFirstSample();
            if (size > 0 && uint32_t(size) <= kMaxPictureBytes) {
                long copied = size;
                picture->resize(kPictureHeaderBytes + size_t(size));
                if (graph.grabber->GetCurrentBuffer(
                        &copied, reinterpret_cast<long *>(picture->data() + kPictureHeaderBytes)) ==
                    S_OK)
                    CopyMemory(picture->data(), &header, kPictureHeaderBytes);
                else
                    picture->clear();
            }
        }
    }
    if (uninitialise) CoUninitialize();
    return !picture->empty();
}

// A decode runs on a thread of its own that the caller waits for a bounded time. Everything
// the thread uses is in its job, on the heap, and held by a count, so a caller that stops
// waiting leaves the thread nothing to spoil; a thread that never ends goes with the process.
enum JobState : LONG { JobRunning, JobDone, JobAbandoned };

struct DecodeJob {
    LONG refs = 2;  // the caller's and the thread's
    LONG state = JobRunning;
    std::wstring path;
    DWORD positionMs = 0;
    void (*stall)() = nullptr;
    std::vector<uint8_t> picture;
};

// Threads given up on that still run. Past this many, decodes fail at once: a parser that
// hangs one graph tends to hang the next, and each thread keeps its graph.
const LONG kMaxAbandonedDecodes = 2;
LONG g_abandonedDecodes = 0;
void (*g_decodeStall)() = nullptr;
DWORD g_decodeLimitMs = kDecodeLimitMs;

void ReleaseJob(DecodeJob *job) {
    if (InterlockedDecrement(&job->refs) == 0) delete job;
}

DWORD WINAPI DecodeOnThread(void *param) {
    DecodeJob *job = static_cast<DecodeJob *>(param);
    if (job->stall) job->stall();
    DecodeVideoFrameNow(job->path.c_str(), job->positionMs, &job->picture);
    if (InterlockedCompareExchange(&job->state, JobDone, JobRunning) == JobAbandoned)
        InterlockedDecrement(&g_abandonedDecodes);
    ReleaseJob(job);
    return 0;
}

// Waits for the thread, answering what is sent to this thread's windows meanwhile; false
// when the time is up.
bool WaitForDecode(HANDLE thread, DWORD limitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= limitMs) return false;
        const DWORD r =
            MsgWaitForMultipleObjects(1, &thread, FALSE, limitMs - spent, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void GrabFirstVideoFrame(const wchar_t *mediaPath, const wchar_t *bitmapPath) {
    std::vector<uint8_t> picture;
    if (DecodeVideoFrame(mediaPath, 0, &picture))
        WriteThumbnail(bitmapPath, picture.data(), picture.size());
}

} // namespace

AviFrameReader::~AviFrameReader() {
    if (decoder_) AVIStreamGetFrameClose(decoder_);
    if (stream_) AVIStreamRelease(stream_);
    if (initialised_) AVIFileExit();
}

bool AviFrameReader::OpenStream(const wchar_t *path) {
    if (!initialised_) AVIFileInit();
    initialised_ = true;
    return AVIStreamOpenFromFileW(&stream_, path, streamtypeVIDEO, 0, OF_READ, nullptr) == 0;
}

bool AviFrameReader::OpenDecoder() {
    if (!stream_) return false;
    BITMAPINFOHEADER wanted = {};
    wanted.biSize = sizeof wanted;
    wanted.biPlanes = 1;
    wanted.biBitCount = 24;
    decoder_ = AVIStreamGetFrameOpen(stream_, &wanted);
    return decoder_ != nullptr;
}

const void *AviFrameReader::Frame(LONG index, size_t *bytes) {
    *bytes = 0;
    if (!decoder_ || index < 0) return nullptr;
    const void *frame = AVIStreamGetFrame(decoder_, index);
    if (frame) *bytes = DecodedFrameBytes(frame);
    return frame;
}

LONG AviFrameReader::FrameAt(DWORD ms) {
    return stream_ ? AVIStreamTimeToSample(stream_, LONG(ms)) : -1;
}

bool DecodeVideoFrame(const wchar_t *mediaPath, DWORD positionMs, std::vector<uint8_t> *picture) {
    picture->clear();
    if (!mediaPath || g_abandonedDecodes >= kMaxAbandonedDecodes) return false;
    DecodeJob *job = new (std::nothrow) DecodeJob;
    if (!job) return false;
    job->path = mediaPath;
    job->positionMs = positionMs;
    job->stall = g_decodeStall;
    HANDLE thread = CreateThread(nullptr, 0, DecodeOnThread, job, 0, nullptr);
    if (!thread) {
        delete job;
        return false;
    }
    if (!WaitForDecode(thread, g_decodeLimitMs)) {
        InterlockedIncrement(&g_abandonedDecodes);
        if (InterlockedCompareExchange(&job->state, JobAbandoned, JobRunning) != JobRunning)
            InterlockedDecrement(&g_abandonedDecodes);  // it finished just now after all
    }
    if (job->state == JobDone) picture->swap(job->picture);
    CloseHandle(thread);
    ReleaseJob(job);
    return !picture->empty();
}

void SetDecodeStallForTests(void (*stall)(), DWORD limitMs) {
    g_decodeStall = stall;
    g_decodeLimitMs = limitMs ? limitMs : kDecodeLimitMs;
}

long AbandonedDecodesRunning() {
    return InterlockedCompareExchange(&g_abandonedDecodes, 0, 0);
}

bool WriteBmpFile(const wchar_t *path, const void *picture, size_t bytes) {
    uint8_t headers[kBmpPixelOffset];
    uint32_t pixelBytes = 0;
    const uint8_t *packed = static_cast<const uint8_t *>(picture);
    return BuildBmpHeaders(packed, bytes, headers, &pixelBytes) &&
           WriteUserFile(path, {{headers, kBmpPixelOffset}, {packed + kPictureHeaderBytes, pixelBytes}});
}

namespace {
bool g_thumbnailsOn = true;  // the settings page's "キャプチャーON/OFF", for this run
}  // namespace

void SetThumbnailNotWrittenListener(void (*notWritten)()) {
    g_notWritten = notWritten;
}

void SetThumbnailsOn(bool on) {
    g_thumbnailsOn = on;
}

bool ThumbnailsOn() {
    return g_thumbnailsOn;
}

void GrabThumbnail(const wchar_t *mediaPath, const wchar_t *bitmapPath) {
    if (!g_thumbnailsOn || !mediaPath || !bitmapPath) return;
    if (GrabAviFrame(mediaPath, bitmapPath)) return;
    // Any other file has a picture only when the device gave it a video window.
    if (MediaVideoWindow()) GrabFirstVideoFrame(mediaPath, bitmapPath);
}

HBITMAP ScaleBitmap(HBITMAP bitmap, int width, int height) {
    BITMAP bm = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return nullptr;
    const int w = bm.bmWidth, h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    if (w <= 0 || h <= 0 || w > kMaxScaledSide || h > kMaxScaledSide || width <= 0 || height <= 0 ||
        width > kMaxScaledSide || height > kMaxScaledSide)
        return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return nullptr;
    HANDLE heap = GetProcessHeap();
    uint32_t *source = static_cast<uint32_t *>(HeapAlloc(heap, 0, size_t(w) * size_t(h) * 4));
    HBITMAP target = nullptr;
    if (source) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = h; // bottom-up
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        if (GetDIBits(dc, bitmap, 0, UINT(h), source, &info, DIB_RGB_COLORS) == h) {
            info.bmiHeader.biWidth = width;
            info.bmiHeader.biHeight = height;
            info.bmiHeader.biSizeImage = 0;
            void *bits = nullptr;
            target = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (target && !ScaleBilinear(source, w, h, bm.bmBitsPixel == 32,
                                         static_cast<uint32_t *>(bits), width, height)) {
                DeleteObject(target);
                target = nullptr;
            }
        }
        HeapFree(heap, 0, source);
    }
    DeleteDC(dc);
    return target;
}
