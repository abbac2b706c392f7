#include "platform/GLView.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QPainter>
#include <QPointer>
#include <QSurfaceFormat>

#include <GL/gl.h>

#include "platform/Window.h"
#include "platform/qt/QtConvert.h"
#include "platform/qt/WindowHost.h"

namespace plat {
namespace {

// A compatibility context (the fixed-function pipeline) with double buffering and a 24-bit
// depth buffer; 32 bits are often refused.
QSurfaceFormat FixedFunctionFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(0);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(0);
    return format;
}

// Whether a context of that format can be made and made current here. The offscreen and
// minimal platforms draw in software by design.
bool CanMakeContext() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return false;
    QOpenGLContext context;
    context.setFormat(FixedFunctionFormat());
    if (!context.create())
        return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return false;
    const bool ok = glGetString(GL_VERSION) != nullptr;
    context.doneCurrent();
    return ok;
}

class GLWidget final : public QOpenGLWidget {
public:
    explicit GLWidget(QWidget* host) : QOpenGLWidget(host), m_host(host) {
        setFormat(FixedFunctionFormat());
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(host->rect());
        host->installEventFilter(this);
        show();
    }

    void SetFrame(const GLFrame& frame) {
        m_frame = frame;
        update();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_host && event->type() == QEvent::Resize)
            setGeometry(m_host->rect());
        return QOpenGLWidget::eventFilter(watched, event);
    }

    void paintGL() override {
        const qreal ratio = devicePixelRatioF();
        glViewport(0, 0, static_cast<GLsizei>(width() * ratio), static_cast<GLsizei>(height() * ratio));
        SetRenderingState();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        const GLFrame& f = m_frame;
        if (f.nearZ > 0.0 && f.farZ > f.nearZ && f.right != f.left && f.top != f.bottom)
            glFrustum(f.left, f.right, f.bottom, f.top, f.nearZ, f.farZ);
        glTranslated(0.0, 0.0, f.eyeZ);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        SetLights();
        glPushMatrix();
        glTranslated(f.cx, f.cy, 0.0);
        glRotated(f.angleX, 1.0, 0.0, 0.0);
        glRotated(f.angleY, 0.0, 1.0, 0.0);
        glRotated(f.angleZ, 0.0, 0.0, 1.0);
        glTranslated(-f.cx, -f.cy, 0.0);

        bool hasText = false;
        for (const GLItem& item : f.items) {
            glColor3ub(item.colour.r, item.colour.g, item.colour.b);
            switch (item.kind) {
            case GLItem::Kind::Line:
                glLineWidth(static_cast<GLfloat>(std::max(1, item.width)));
                glBegin(GL_LINES);
                glVertex3fv(item.p[0]);
                glVertex3fv(item.p[1]);
                glEnd();
                break;
            case GLItem::Kind::Triangle:
                glBegin(GL_TRIANGLES);
                glNormal3fv(item.normal);
                glVertex3fv(item.p[0]);
                glVertex3fv(item.p[1]);
                glVertex3fv(item.p[2]);
                glEnd();
                break;
            case GLItem::Kind::Text: hasText = true; break;
            }
        }
        GLdouble model[16], projection[16];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glPopMatrix();
        glFlush();
        if (hasText)
            DrawTexts(model, projection);
    }

private:
    static void SetRenderingState() {
        glDepthFunc(GL_LESS);
        glEnable(GL_DEPTH_TEST);
        glFrontFace(GL_CCW);
        glEnable(GL_CULL_FACE);
        glShadeModel(GL_SMOOTH);
        glEnable(GL_AUTO_NORMAL);
        glEnable(GL_NORMALIZE);
        glEnable(GL_COLOR_MATERIAL);
        glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
        glEnable(GL_LIGHTING);
        glDisable(GL_BLEND);
        glDisable(GL_SCISSOR_TEST);
        glDisable(GL_TEXTURE_2D);
    }

    // Lights in eye coordinates (set with an identity model-view matrix).
    static void SetLights() {
        const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
        const GLfloat diffuse[] = {0.8f, 0.8f, 0.8f, 1.0f};
        const GLfloat specular[] = {0.4f, 0.4f, 0.4f, 1.0f};
        const GLfloat position0[] = {-2000.0f, 2000.0f, 3000.0f, 1.0f};
        const GLfloat position1[] = {1.0f, 25.0f, 50.0f, 1.0f};
        glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
        glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
        glLightfv(GL_LIGHT0, GL_POSITION, position0);
        glLightfv(GL_LIGHT1, GL_POSITION, position1);
        glEnable(GL_LIGHT0);
        glEnable(GL_LIGHT1);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 100.0f);
    }

    // Text at the window position of its point, drawn over the GL picture.
    void DrawTexts(const GLdouble* model, const GLdouble* projection) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        for (const GLItem& item : m_frame.items) {
            if (item.kind != GLItem::Kind::Text)
                continue;
            double eye[4], clip[4];
            const double v[4] = {item.p[0][0], item.p[0][1], item.p[0][2], 1.0};
            for (int r = 0; r < 4; ++r)
                eye[r] = model[r] * v[0] + model[4 + r] * v[1] + model[8 + r] * v[2] + model[12 + r] * v[3];
            for (int r = 0; r < 4; ++r)
                clip[r] = projection[r] * eye[0] + projection[4 + r] * eye[1] + projection[8 + r] * eye[2] +
                          projection[12 + r] * eye[3];
            if (!(clip[3] > 0.0))
                continue;
            const double x = (clip[0] / clip[3] + 1.0) * 0.5 * width();
            const double y = (1.0 - clip[1] / clip[3]) * 0.5 * height();
            painter.setPen(ToQ(item.colour));
            painter.drawText(QPointF(x, y), QString::fromStdString(item.text));
        }
    }

    QWidget* m_host;
    GLFrame m_frame;
};

class QtGLView final : public GLView {
public:
    explicit QtGLView(QWidget* host) : m_widget(new GLWidget(host)) {}
    ~QtGLView() override { delete m_widget.data(); }

    void Show(const GLFrame& frame) override {
        if (m_widget)
            m_widget->SetFrame(frame);
    }

    Image Grab() override {
        if (!m_widget)
            return Image();
        QImage picture = m_widget->grabFramebuffer();
        if (picture.isNull())
            return Image();
        picture.setDevicePixelRatio(1.0);
        Image image(picture.width(), picture.height());
        if (image.IsNull())
            return image;
        image.impl().image = picture.convertToFormat(QImage::Format_RGB32);
        image.impl().scale = 1;
        return image;
    }

private:
    QPointer<GLWidget> m_widget;
};

} // namespace

std::unique_ptr<GLView> GLView::Create(Window& window) {
    QWidget* host = WidgetOf(window);
    if (!host || !CanMakeContext())
        return nullptr;
    return std::make_unique<QtGLView>(host);
}

} // namespace plat
