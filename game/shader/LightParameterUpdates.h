#pragma once

#include "core/hash/HashString.h"
#include "core/maths/ZqVector.h"
#include "graphics/shader/ShaderParameterUpdater.h"

// The scene's lights, looked up by name in the graphics service's light manager. Colours are
// kept while the program stays in use, directions for the whole frame, so that a light is
// searched for at most once per program change or frame. A light that is not loaded gives
// white, and the direction (0, 0, 1, 1).

// The lights read, by name: the ambient light, then diffuse lights 1, 2 and 3.
inline constexpr const char* LIGHT_NAMES[] = {"ambientLight", "diffuseLight", "diffuseLight2",
                                              "diffuseLight3"};

// "u_ambientLightColor": the colour (red, green, blue) of "ambientLight".
class AmbientLightColorParameterUpdate : public orvo::ShaderParameterUpdater<orvo::ZqVector<3>> {
public:
    AmbientLightColorParameterUpdate();
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;
};

// The colour (red, green, blue, alpha) of one diffuse light.
class DiffuseLightColorParameterUpdate : public orvo::ShaderParameterUpdater<orvo::ZqVector<4>> {
public:
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;

protected:
    DiffuseLightColorParameterUpdate(const char* uniform, orvo::HashString light);

private:
    orvo::HashString light_;
};

// The direction of one diffuse light, with 0 as its fourth component.
class DiffuseLightDirectionParameterUpdate
    : public orvo::ShaderParameterUpdater<orvo::ZqVector<4>> {
public:
    void update(boost::shared_ptr<orvo::ZqMatrix<4, 4>> world,
                boost::shared_ptr<const orvo::Material> material) override;

protected:
    DiffuseLightDirectionParameterUpdate(const char* uniform, orvo::HashString light);

private:
    orvo::HashString light_;
};

// "u_diffuseLight1Color" and "u_diffuseLight1Direction": light "diffuseLight".
class DiffuseLight1ColorParameterUpdate : public DiffuseLightColorParameterUpdate {
public:
    DiffuseLight1ColorParameterUpdate();
};
class DiffuseLight1DirectionParameterUpdate : public DiffuseLightDirectionParameterUpdate {
public:
    DiffuseLight1DirectionParameterUpdate();
};

// "u_diffuseLight2Color" and "u_diffuseLight2Direction": light "diffuseLight2".
class DiffuseLight2ColorParameterUpdate : public DiffuseLightColorParameterUpdate {
public:
    DiffuseLight2ColorParameterUpdate();
};
class DiffuseLight2DirectionParameterUpdate : public DiffuseLightDirectionParameterUpdate {
public:
    DiffuseLight2DirectionParameterUpdate();
};

// "u_diffuseLight3Color" and "u_diffuseLight3Direction": light "diffuseLight3".
class DiffuseLight3ColorParameterUpdate : public DiffuseLightColorParameterUpdate {
public:
    DiffuseLight3ColorParameterUpdate();
};
class DiffuseLight3DirectionParameterUpdate : public DiffuseLightDirectionParameterUpdate {
public:
    DiffuseLight3DirectionParameterUpdate();
};
