#include "sim/Server.h"

#include "device/Device.h"
#include "device/profiles/DeviceProfile.h"
#include "platform/corefoundation/CFNotificationCenter.h"
#include "platform/uikit/TouchDriver.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIPasteboard.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"
#include "sim/ConnectionIntake.h"
#include "sim/FrameStream.h"
#include "sim/IconArchive.h"
#include "sim/PhoneHost.h"
#include "sim/PhotoLibrary.h"
#include "sim/ScriptRunner.h"
#include "sim/ViewFinder.h"
#include "sim/WebAssets.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <unistd.h>

namespace sim {

namespace {

using nlohmann::json;

// How often a quiet event stream says it is still there, which is also how soon a page that went
// away is noticed.
constexpr auto kKeepAlive = std::chrono::seconds(5);
constexpr auto kStopCheck = std::chrono::milliseconds(250);
constexpr std::size_t kLongestText = 4096;
// Pages name themselves (their fingers, their frame stream) with up to this many bytes.
constexpr std::size_t kLongestPageName = 64;

void answer(httplib::Response& res, int status, const json& body)
{
    res.status = status;
    res.set_header("Cache-Control", "no-store");
    res.set_content(body.dump(), "application/json");
}

void refuse(httplib::Response& res, int status, const std::string& why) { answer(res, status, json { { "error", why } }); }

// The body of an action as a JSON object; throws RequestError otherwise.
json actionBody(const httplib::Request& req, std::size_t largest)
{
    if (req.body.size() > largest)
        throw RequestError(413, "the request body is larger than " + std::to_string(largest) + " bytes");
    json body = json::parse(req.body, nullptr, false);
    if (body.is_discarded() || !body.is_object())
        throw RequestError(400, "the request body is not a JSON object");
    return body;
}

double numberField(const json& body, const char* name)
{
    auto it = body.find(name);
    if (it == body.end() || !it->is_number() || !std::isfinite(it->get<double>()))
        throw RequestError(400, std::string("\"") + name + "\" must be a number");
    return it->get<double>();
}

std::string textField(const json& body, const char* name, std::size_t longest = kLongestText, bool required = true)
{
    auto it = body.find(name);
    if (it == body.end() && !required)
        return "";
    if (it == body.end() || !it->is_string())
        throw RequestError(400, std::string("\"") + name + "\" must be a string");
    std::string text = it->get<std::string>();
    if (text.size() > longest)
        throw RequestError(413, std::string("\"") + name + "\" is longer than " + std::to_string(longest) + " bytes");
    return text;
}

// A point on the screen, or a refusal naming the screen's size.
CGPoint screenPoint(const json& body, const ScreenFacts& facts)
{
    double x = numberField(body, "x"), y = numberField(body, "y");
    if (x < 0 || y < 0 || x > facts.width || y > facts.height)
        throw RequestError(400, "the point is off the screen (" + std::to_string(int(facts.width)) + " x " + std::to_string(int(facts.height)) + " points)");
    return CGPointMake(x, y);
}

// The text field of the alert on screen that has the keyboard.
UITextField* focusedAlertField(device::Device& phone)
{
    UIAlertController* alert = phone.window() ? alertOnScreen(phone.window()) : nullptr;
    if (!alert || alert->textFields().empty())
        throw RequestError(409, "no alert with a text field is on screen");
    for (const auto& field : alert->textFields())
        if (field->isFirstResponder())
            return field.ptr();
    throw RequestError(409, "tap the alert's text field first");
}

json stateOf(PhoneHost& host)
{
    ScreenFacts facts = host.facts();
    json profiles = json::array();
    for (const auto& p : device::allProfiles())
        profiles.push_back({ { "name", p.name }, { "description", p.describe() } });
    return { { "profile", facts.profile }, { "width", facts.width }, { "height", facts.height }, { "scale", facts.scale },
        { "frameScale", facts.frameScale }, { "boots", facts.boots }, { "frame", host.frames().latest()->number }, { "profiles", profiles } };
}


} // namespace

// What the routes' handlers work with; lives as long as the server.
struct RouteContext {
    PhoneHost& host;
    const ServerOptions& options;
    httplib::Server& server;
    PacedStreams& streams;
};

namespace {

// An action's answer: ok, the latest frame's number, and what else the action tells.
void done(const RouteContext& c, httplib::Response& res, json extra = json::object())
{
    extra["ok"] = true;
    extra["frame"] = c.host.frames().latest()->number;
    answer(res, 200, extra);
}

// --- The page ---

void serveAsset(httplib::Response& res, const std::string& path)
{
    const WebAsset* asset = findWebAsset(path);
    if (!asset)
        return refuse(res, 404, "no such page");
    res.set_header("Cache-Control", "no-cache");
    res.set_content(asset->body.data(), asset->body.size(), std::string(asset->contentType).c_str());
}

void serveIndex(const RouteContext&, const httplib::Request&, httplib::Response& res) { serveAsset(res, "/index.html"); }
void serveScript(const RouteContext&, const httplib::Request&, httplib::Response& res) { serveAsset(res, "/app.js"); }
void serveStyle(const RouteContext&, const httplib::Request&, httplib::Response& res) { serveAsset(res, "/app.css"); }

// --- The screen ---

void serveState(const RouteContext& c, const httplib::Request&, httplib::Response& res) { answer(res, 200, stateOf(c.host)); }

// Where a text stands on the screen now, as a script's `tap "TEXT"` would aim: for clients that
// drive the phone by what it shows rather than by fixed places.
void serveFind(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    std::string text = req.has_param("text") ? req.get_param_value("text") : "";
    if (text.empty() || text.size() > kLongestText)
        return refuse(res, 400, "say which text to find: ?text=... (up to 4096 bytes)");
    json found = c.host.call([&](device::Device& phone) -> json {
        FoundView view = findView(phone.window(), text);
        CGRect shown = view.view ? visibleRectOf(view.view) : CGRectZero;
        if (!view.view || CGRectIsEmpty(shown))
            return { { "found", false } };
        return { { "found", true }, { "x", view.center.x }, { "y", view.center.y },
            { "frame", { shown.origin.x, shown.origin.y, shown.size.width, shown.size.height } } };
    });
    answer(res, 200, found);
}

void serveFrame(const RouteContext& c, const httplib::Request&, httplib::Response& res)
{
    auto screen = c.host.frames().screen();
    const auto& png = screen->png();
    if (png.empty())
        return refuse(res, 503, "the phone has not drawn its screen yet");
    res.set_header("Cache-Control", "no-store");
    res.set_header("X-Frame", std::to_string(screen->number));
    res.set_content(reinterpret_cast<const char*>(png.data()), png.size(), "image/png");
}

// Waits for a frame newer than `shown` and writes its event, or a keep-alive when none came for a
// while; ends the stream when the feed closes or the server stops.
bool writeNextEvent(const RouteContext& c, FrameFeed& feed, std::uint64_t& shown, httplib::DataSink& sink)
{
    auto quietSince = std::chrono::steady_clock::now();
    std::shared_ptr<const Frame> frame;
    while (true) {
        frame = feed.waitForNewer(shown, kStopCheck);
        if (feed.isClosed() || !c.server.is_running()) {
            sink.done();
            return true;
        }
        if (frame->number > shown || std::chrono::steady_clock::now() - quietSince >= kKeepAlive)
            break;
    }
    std::string message = ": still here\n\n";
    if (frame->number > shown) {
        shown = frame->number;
        ScreenFacts facts = c.host.facts();
        json event { { "frame", frame->number }, { "bytes", frame->bytes() }, { "profile", facts.profile },
            { "width", facts.width }, { "height", facts.height }, { "boots", facts.boots } };
        message = "event: frame\ndata: " + event.dump() + "\n\n";
    }
    return sink.write(message.data(), message.size());
}

// One event per new frame; a page fetches /api/frame.png when it hears one.
void serveEvents(const RouteContext& c, const httplib::Request&, httplib::Response& res)
{
    FrameFeed* feed = &c.host.frames();
    if (!feed->addWatcher(c.options.watchers))
        return refuse(res, 503, "too many pages are watching this phone");
    c.host.noteActivity();
    auto shown = std::make_shared<std::uint64_t>(0);
    const RouteContext* context = &c;
    res.set_header("Cache-Control", "no-store");
    res.set_chunked_content_provider(
        "text/event-stream", [context, feed, shown](size_t, httplib::DataSink& sink) { return writeNextEvent(*context, *feed, *shown, sink); },
        [feed](bool) { feed->removeWatcher(); });
}

// Writes the messages of the frames newer than the last sent, or a sign of life when none came
// for a while; ends the stream when the feed closes or the server stops.
bool writeNextFrames(const RouteContext& c, FrameFeed& feed, FrameStream& stream, httplib::DataSink& sink)
{
    auto quietSince = std::chrono::steady_clock::now();
    std::string message;
    while (message.empty()) {
        message = stream.next(kStopCheck);
        if (feed.isClosed() || !c.server.is_running()) {
            sink.done();
            return true;
        }
        if (message.empty() && std::chrono::steady_clock::now() - quietSince >= kKeepAlive)
            message = stillHereMessage(stream.sent(), c.host.facts().boots);
    }
    return sink.write(message.data(), message.size());
}

// The frames as one stream of binary messages (sim/FrameStream.h): the whole screen first, then
// the rectangles that change. A page that names itself (?page=NAME) is paced: it says what it
// drew through /api/drawn, and is not sent more than it can draw.
void serveStream(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    std::string page = req.has_param("page") ? req.get_param_value("page") : "";
    if (page.size() > kLongestPageName)
        return refuse(res, 400, "a page's name is at most 64 bytes");
    FrameFeed* feed = &c.host.frames();
    if (!feed->addWatcher(c.options.watchers))
        return refuse(res, 503, "too many pages are watching this phone");
    c.host.noteActivity();
    auto stream = std::make_shared<FrameStream>(*feed, !page.empty());
    if (!page.empty())
        c.streams.add(page, stream);
    const RouteContext* context = &c;
    res.set_header("Cache-Control", "no-store");
    res.set_chunked_content_provider(
        "application/octet-stream", [context, feed, stream](size_t, httplib::DataSink& sink) { return writeNextFrames(*context, *feed, *stream, sink); },
        [context, feed, page, sent = stream.get()](bool) {
            feed->removeWatcher();
            if (!page.empty())
                context->streams.remove(page, sent);
        });
}

// A paced page drew a frame: its stream may send more.
void postDrawn(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    json body = actionBody(req, c.options.largestAction);
    std::string page = textField(body, "page", kLongestPageName);
    double frame = numberField(body, "frame");
    if (frame < 0 || frame > 4294967295.0 || frame != std::floor(frame))
        throw RequestError(400, "\"frame\" must be a frame number as the stream gave it (0 to 2^32 - 1)");
    if (!c.streams.acknowledge(page, std::uint32_t(frame)))
        throw RequestError(404, "no frame stream of that page is open");
    answer(res, 200, { { "ok", true } });
}

// --- The hand ---

// A finger of a page going down, moving, lifting, or every finger of the page cancelled.
void moveFinger(PhoneHost& host, device::Device& phone, const std::string& phase, const std::string& page, int id, CGPoint point)
{
    auto& touch = phone.touch();
    PageFingers& fingers = host.pageFingers();
    if (phase == "cancel") {
        for (int held : fingers.releaseAll(page))
            touch.touchCancel(held);
        return;
    }
    std::optional<int> held = fingers.held(page, id);
    if (held && !touch.isDown(*held)) {
        // Lifted on the phone's side meanwhile.
        fingers.release(page, id);
        held.reset();
    }
    if (phase == "down") {
        if (held)
            throw RequestError(409, "that finger is down already");
        held = fingers.press(page, id);
        if (!held)
            throw RequestError(409, "too many fingers are down on this phone");
        touch.touchDown(point, *held);
        if (!touch.isDown(*held))
            fingers.release(page, id);
        return;
    }
    if (!held)
        throw RequestError(409, "that finger is not down");
    if (phase == "move") {
        touch.touchMove(point, *held);
    } else {
        fingers.release(page, id);
        touch.touchUp(point, *held);
    }
}

void postTouch(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    json body = actionBody(req, c.options.largestAction);
    std::string phase = textField(body, "phase", 16);
    double finger = body.contains("finger") ? numberField(body, "finger") : 0;
    if (finger < 0 || finger >= kFingers || finger != std::floor(finger))
        throw RequestError(400, "\"finger\" must be a whole number from 0 to " + std::to_string(kFingers - 1));
    if (phase != "down" && phase != "move" && phase != "up" && phase != "cancel")
        throw RequestError(400, "\"phase\" must be \"down\", \"move\", \"up\" or \"cancel\"");
    CGPoint point = phase == "cancel" ? CGPointZero : screenPoint(body, c.host.facts());
    // Each page numbers its own fingers: two pages dragging at once are four fingers.
    std::string page = textField(body, "page", kLongestPageName, false);
    c.host.call([&](device::Device& phone) { moveFinger(c.host, phone, phase, page, int(finger), point); });
    done(c, res);
}

void postPinch(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    json body = actionBody(req, c.options.largestAction);
    CGPoint center = screenPoint(body, c.host.facts());
    double scale = numberField(body, "scale");
    if (scale < 0.2 || scale > 5)
        throw RequestError(400, "\"scale\" must be from 0.2 to 5");
    c.host.call([&](device::Device& phone) {
        if (phone.touch().anyDown())
            throw RequestError(409, "a finger is down already");
        phone.touch().pinch(center, scale, 0.2, 6);
    });
    done(c, res);
}

void postKey(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    json body = actionBody(req, c.options.largestAction);
    std::string text = textField(body, "text", 256, false);
    std::string key = textField(body, "key", 32, false);
    if (text.empty() == key.empty())
        throw RequestError(400, "give either \"text\" to type or a \"key\" (\"Backspace\")");
    if (!key.empty() && key != "Backspace")
        throw RequestError(400, "the only key besides text is \"Backspace\"");
    for (unsigned char ch : text)
        if (ch < 0x20 || ch == 0x7f)
            throw RequestError(400, "the text holds a control character");
    c.host.call([&](device::Device& phone) {
        UITextField* field = focusedAlertField(phone);
        if (!key.empty())
            field->deleteBackward();
        else
            phone.touch().typeText(text);
        phone.runUntilIdle();
    });
    done(c, res);
}

void pressButton(device::Device& phone, const std::string& name, const std::string& query)
{
    if (name == "home")
        phone.pressHome();
    else if (name == "switcher")
        phone.showSwitcher();
    else if (name == "notifications")
        phone.showNotificationCenter();
    else if (name == "widgets")
        phone.showWidgets();
    else
        phone.showSearch(query);
}

void postButton(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    json body = actionBody(req, c.options.largestAction);
    std::string name = textField(body, "name", 32);
    std::string query = textField(body, "query", 256, false);
    if (name != "home" && name != "switcher" && name != "notifications" && name != "widgets" && name != "search")
        throw RequestError(400, "no button \"" + name + "\" (there are home, switcher, notifications, widgets and search)");
    c.host.call([&](device::Device& phone) { pressButton(phone, name, query); });
    done(c, res);
}

// --- The phone's profile, pasteboard, photos and icon files ---

void postProfile(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    json body = actionBody(req, c.options.largestAction);
    std::string name = textField(body, "name", 64);
    bool known = false;
    for (const auto& p : device::allProfiles())
        known = known || p.name == name;
    if (!known)
        throw RequestError(400, "no device profile \"" + name + "\"");
    c.host.call([&](device::Device&) { c.host.rebootInto(name); });
    done(c, res, { { "profile", name } });
}

void postPasteboard(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    json body = actionBody(req, c.options.largestAction);
    std::string text = textField(body, "text", kLongestText);
    c.host.call([&](device::Device& phone) {
        UIPasteboard::generalPasteboard()->setString(text);
        phone.runUntilIdle();
    });
    done(c, res);
}

void postPhoto(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    std::vector<std::uint8_t> bytes(req.body.begin(), req.body.end());
    std::string name = req.has_param("name") ? req.get_param_value("name") : "photo";
    // Decoding and writing happen here; the phone only hears that its library changed.
    std::string path = addToPhotoLibrary(bytes, name);
    c.host.call([&](device::Device& phone) {
        announcePhotoLibraryChange();
        phone.runUntilIdle();
    });
    done(c, res, { { "path", path } });
}

void downloadIcons(const RouteContext& c, const httplib::Request&, httplib::Response& res)
{
    auto zip = c.host.call([](device::Device&) { return makeIconArchive(); });
    res.set_header("Content-Disposition", "attachment; filename=\"ovrimo-icons.zip\"");
    res.set_header("Cache-Control", "no-store");
    res.set_content(reinterpret_cast<const char*>(zip.data()), zip.size(), "application/zip");
}

void uploadIcons(const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    std::vector<std::uint8_t> zip(req.body.begin(), req.body.end());
    // Unpacking, decoding and writing happen here, on the handler's thread: the phone's thread
    // only renames the files into place and reloads.
    PreparedUpload upload = prepareIconArchive(zip);
    std::vector<std::uint8_t>().swap(zip);
    std::size_t written = c.host.call([&](device::Device& phone) {
        std::size_t count = applyIconArchive(upload);
        // As after restoring a backup: the tweak reads its preferences again and reloads every icon.
        CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(), kPreferencesChangedNotification, nullptr, nullptr, true);
        phone.runUntilIdle();
        return count;
    });
    done(c, res, { { "files", written } });
}

// --- The table ---

enum class Method { Get, Post };

struct Route {
    Method method;
    const char* path;
    void (*handle)(const RouteContext&, const httplib::Request&, httplib::Response&);
    // An action: a refusal becomes its status, anything unforeseen a 500; the server goes on.
    bool action;
};

const Route kRoutes[] = {
    { Method::Get, "/", serveIndex, false },
    { Method::Get, "/index.html", serveIndex, false },
    { Method::Get, "/app.js", serveScript, false },
    { Method::Get, "/app.css", serveStyle, false },
    { Method::Get, "/api/state", serveState, false },
    { Method::Get, "/api/find", serveFind, false },
    { Method::Get, "/api/frame.png", serveFrame, false },
    { Method::Get, "/api/events", serveEvents, false },
    { Method::Get, "/api/stream", serveStream, false },
    { Method::Post, "/api/drawn", postDrawn, true },
    { Method::Post, "/api/touch", postTouch, true },
    { Method::Post, "/api/pinch", postPinch, true },
    { Method::Post, "/api/key", postKey, true },
    { Method::Post, "/api/button", postButton, true },
    { Method::Post, "/api/profile", postProfile, true },
    { Method::Post, "/api/pasteboard", postPasteboard, true },
    { Method::Post, "/api/photo", postPhoto, true },
    { Method::Get, "/api/icons.zip", downloadIcons, true },
    { Method::Post, "/api/icons.zip", uploadIcons, true },
};

void answerRoute(const Route& route, const RouteContext& c, const httplib::Request& req, httplib::Response& res)
{
    if (!route.action)
        return route.handle(c, req, res);
    try {
        route.handle(c, req, res);
    } catch (const RequestError& e) {
        refuse(res, e.status, e.what());
    } catch (const std::exception& e) {
        refuse(res, 500, std::string("the phone could not do that: ") + e.what());
    }
}

// Whatever no route answered: a JSON refusal rather than an empty page.
void answerUnrouted(const httplib::Request& req, httplib::Response& res)
{
    if (!res.body.empty())
        return;
    if (res.status == 404)
        refuse(res, 404, "no such page or action");
    else if (res.status == 413 && req.get_header_value("Content-Type").rfind("application/x-www-form-urlencoded", 0) == 0)
        // What a client sends by default (curl --data-binary): the HTTP library reads such a
        // body as form fields, and refuses one over 8 KB.
        refuse(res, 413, "a form-encoded body is limited to 8 KB: send the file as the body with Content-Type application/octet-stream");
    else if (res.status == 413)
        refuse(res, 413, "the request body is too large");
    else
        refuse(res, res.status, "the request was refused");
}

void answerException(const httplib::Request&, httplib::Response& res, std::exception_ptr) { refuse(res, 500, "the server failed on that request"); }

} // namespace

// httplib's server with its connections handed to a ConnectionIntake as they are accepted: the
// intake reads each request head and calls back here to have the request answered.
class GuardedHttpServer : public httplib::Server {
public:
    void setIntake(ConnectionIntake* intake) { m_intake = intake; }
    bool answerOne(httplib::Stream& stream, bool& connectionClosed) { return process_request(stream, false, connectionClosed, {}); }

private:
    bool process_and_close_socket(socket_t socket) override
    {
        if (!m_intake) {
            close(socket);
            return false;
        }
        // Answers go out as written: without this a response's second small write waited for
        // the client's delayed acknowledgement, 40 ms or more for every touch a page sent.
        int on = 1;
        setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        m_intake->admit(socket);
        return true;
    }

    ConnectionIntake* m_intake = nullptr;
};

Server::Server(PhoneHost& host, ServerOptions options)
    : m_host(host)
    , m_options(std::move(options))
    , m_server(std::make_unique<GuardedHttpServer>())
{
    IntakeLimits limits;
    limits.largestHead = m_options.largestHead;
    limits.headDeadline = m_options.headDeadline;
    limits.largestBody = m_options.largestUpload;
    limits.bodyDeadline = m_options.bodyDeadline;
    limits.connectionsPerClient = m_options.connectionsPerClient;
    limits.connections = m_options.connections;
    limits.uploadsInFlight = m_options.uploadsInFlight;
    limits.largestAction = m_options.largestAction;
    // Each watching page holds a worker while its stream is open; connections waiting for a
    // request hold none.
    GuardedHttpServer* server = m_server.get();
    m_intake = std::make_unique<ConnectionIntake>(limits, m_options.watchers + 8,
        [server](httplib::Stream& stream, bool& connectionClosed) { return server->answerOne(stream, connectionClosed); });
    m_server->setIntake(m_intake.get());
    // Accepting only: each accepted socket is handed on at once.
    m_server->new_task_queue = [] { return new httplib::ThreadPool(2); };
    m_server->set_payload_max_length(m_options.largestUpload);
    m_streams = std::make_unique<PacedStreams>();
    addRoutes();
}

Server::~Server() { stop(); }

int Server::bind()
{
    if (m_options.port == 0)
        m_port = m_server->bind_to_any_port(m_options.address);
    else
        m_port = m_server->bind_to_port(m_options.address, m_options.port) ? m_options.port : -1;
    if (m_port <= 0)
        throw std::runtime_error("cannot listen on " + m_options.address + " port " + std::to_string(m_options.port));
    return m_port;
}

void Server::start()
{
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
}

void Server::stop()
{
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_intake->stop();
}

std::string Server::address() const
{
    std::string host = m_options.address.find(':') != std::string::npos ? "[" + m_options.address + "]" : m_options.address;
    return "http://" + host + ":" + std::to_string(m_port) + "/";
}

std::vector<std::string> Server::routes()
{
    std::vector<std::string> named;
    for (const Route& route : kRoutes)
        named.push_back(std::string(route.method == Method::Get ? "GET " : "POST ") + route.path);
    return named;
}

void Server::addRoutes()
{
    m_context = std::make_unique<RouteContext>(RouteContext { m_host, m_options, *m_server, *m_streams });
    const RouteContext* context = m_context.get();
    for (const Route& route : kRoutes) {
        const Route* r = &route;
        httplib::Server::Handler handler = [context, r](const httplib::Request& req, httplib::Response& res) { answerRoute(*r, *context, req, res); };
        if (route.method == Method::Get)
            m_server->Get(route.path, std::move(handler));
        else
            m_server->Post(route.path, std::move(handler));
    }
    m_server->set_error_handler(httplib::Server::Handler(answerUnrouted));
    m_server->set_exception_handler(answerException);
}

} // namespace sim
